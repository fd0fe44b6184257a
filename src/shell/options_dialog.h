#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace tb {

class AppSettings;

// The preferences: default language, language change confirmation, start-up view and the
// build complete dialog. OK writes them into settings (saved at exit); Cancel changes nothing.
void RunOptionsDialog(QWidget* owner, AppSettings& settings);

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(QWidget* owner, AppSettings& settings);

    QComboBox* languageCombo() const { return language_; }
    QCheckBox* confirmLanguagesBox() const { return confirmLanguages_; }
    QComboBox* startupCombo() const { return startup_; }
    QCheckBox* buildCompleteBox() const { return buildComplete_; }
    QPushButton* okButton() const { return ok_; }

private:
    void apply();

    AppSettings& settings_;
    QComboBox* language_;
    QCheckBox* confirmLanguages_;
    QComboBox* startup_;
    QCheckBox* buildComplete_;
    QPushButton* ok_;
};

} // namespace tb
