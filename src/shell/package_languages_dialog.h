#pragma once

#include <QDialog>

#include <cstddef>
#include <cstdint>
#include <vector>

class QComboBox;
class QPushButton;

namespace tb {

class AppSettings;

namespace ui {
class LanguageCheckList;
}

// Edits a package's language list and its current language. With confirm on, a changed set
// of languages is applied only after the user agreed to the language change warning.
// True when the user pressed OK and languages and current were replaced.
bool RunPackageLanguagesDialog(QWidget* owner, std::vector<uint32_t>& languages, size_t& current,
                               bool confirm, AppSettings& settings);

class PackageLanguagesDialog : public QDialog {
    Q_OBJECT
public:
    PackageLanguagesDialog(QWidget* owner, const std::vector<uint32_t>& languages,
                           size_t current, bool confirm, AppSettings& settings);

    // The result after OK.
    const std::vector<uint32_t>& languages() const { return languages_; }
    size_t currentLanguage() const { return current_; }

    ui::LanguageCheckList* languageList() const { return list_; }
    QComboBox* currentCombo() const { return currentCombo_; }
    QPushButton* okButton() const { return ok_; }

private:
    void refillCurrentCombo();
    void tryAccept();

    AppSettings& settings_;
    const std::vector<uint32_t> original_;
    const bool confirm_;
    std::vector<uint32_t> languages_;
    size_t current_;

    ui::LanguageCheckList* list_;
    QComboBox* currentCombo_;
    QPushButton* ok_;
};

} // namespace tb
