#pragma once

#include "views/view_page.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace tb {

class LocalizationModel;
class TranslationDelegate;
struct LocalizationRow;

// Edits a package's languages and its current language (position in languages); true when
// both were replaced. The shell passes its package languages dialog in.
using LanguagesEditor =
    std::function<bool(QWidget* owner, std::vector<uint32_t>& languages, size_t& current)>;

// Translates every language-dependent text of the package from the current language into one
// other package language at a time: the package name, the vendor, the dependency names, the
// option texts (edited in place) and the texts of the language-dependent dialogs (in the Edit
// Dialog box, since they live in text files).
class LocalizationView : public ViewPage {
    Q_OBJECT
public:
    LocalizationView(Application& app, ui::CommandRegistry& registry, QWidget* parent = nullptr);
    ~LocalizationView() override;

    void setLanguagesEditor(LanguagesEditor editor);

    QComboBox* languageBox() const { return languages_; }
    QTreeView* table() const { return table_; }
    LocalizationModel* model() const { return model_; }
    QPushButton* editButton() const { return edit_; }
    QPushButton* languagesButton() const { return languagesButton_; }
    // The box open over a translation cell, or null.
    QLineEdit* openEditor() const;
    // The package language position the third column shows; none with a single language.
    std::optional<size_t> translatedLanguage() const;

    // Edits row's text in the translated language: in place, or in the Edit Dialog box.
    void editRow(int row);
    // "Languages...".
    void editLanguages();

    void commitEdits() override;
    void itemChanged(const ItemChange& change) override;
    void packageChanged(const PackageChange& change) override;

protected:
    void refresh() override;
    // Dialog texts live in files that other views change: every showing rebuilds.
    bool needsRefresh() const override { return true; }
    void deactivated() override;

private:
    void fillLanguageBox();
    void fillRows();
    QString commit(const LocalizationRow& row, const QString& text);
    // The row's texts in the current and the translated language, as the cells show them.
    std::pair<QString, QString> cellTexts(const LocalizationRow& row) const;
    void updateButtons();

    LanguagesEditor languagesEditor_;
    QComboBox* languages_;
    QTreeView* table_;
    LocalizationModel* model_;
    TranslationDelegate* delegate_;
    QPushButton* edit_;
    QPushButton* languagesButton_;
    // The language number chosen in the box, kept across rebuilds while it is in the package.
    uint32_t chosenLanguage_ = 0;
    // The current language's number at the last rebuild.
    uint32_t shownCurrent_ = 0;
};

// The Localization view, a child of parent.
ViewPage* CreateLocalizationView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

// Gives the Localization view among pages its "Languages..." dialog.
void SetLanguagesEditor(const std::vector<ViewPage*>& pages, LanguagesEditor editor);

} // namespace tb
