#include "views/localization/localization_view.h"

#include "document/app_settings.h"
#include "document/application.h"
#include "editing/language_dialog_text.h"
#include "editing/localization_rows.h"
#include "ui/item_views.h"
#include "ui/language_pickers.h"
#include "ui/qt_text.h"
#include "views/localization/edit_dialog_box.h"
#include "views/localization/localization_model.h"
#include "views/localization/translation_delegate.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace tb {

namespace {

const std::vector<int> kDefaultWidths = {200, 260, 260};

bool contains(const std::vector<uint32_t>& languages, uint32_t language) {
    return std::find(languages.begin(), languages.end(), language) != languages.end();
}

} // namespace

LocalizationView::LocalizationView(Application& app, ui::CommandRegistry& registry, QWidget* parent)
    : ViewPage(app, registry, QStringLiteral("Localization"), parent) {
    languages_ = new QComboBox(this);
    model_ = new LocalizationModel(
        [this](const LocalizationRow& row, const QString& text) { return commit(row, text); },
        this);
    table_ = new QTreeView(this);
    table_->setRootIsDecorated(false);
    table_->setUniformRowHeights(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Edits start from a click on the translation or from "Edit" only.
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    delegate_ = new TranslationDelegate(table_);
    table_->setItemDelegateForColumn(LocalizationModel::kTranslation, delegate_);
    table_->setModel(model_);
    ui::ApplyColumnWidths(table_, app.settings.localizationViewColumns, kDefaultWidths);
    edit_ = new QPushButton(QStringLiteral("Edit"), this);
    languagesButton_ = new QPushButton(QStringLiteral("Languages..."), this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Show language to localize:"), this));
    top->addWidget(languages_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(edit_);
    buttons->addWidget(languagesButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);

    connect(languages_, &QComboBox::currentIndexChanged, this, [this] {
        chosenLanguage_ = ui::ChosenLanguage(*languages_);
        fillRows();
    });
    connect(table_, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == LocalizationModel::kTranslation)
            editRow(index.row());
    });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LocalizationView::updateButtons);
    connect(edit_, &QPushButton::clicked, this, [this] {
        const QModelIndexList rows = table_->selectionModel()->selectedRows();
        if (!rows.isEmpty())
            editRow(rows.front().row());
    });
    connect(languagesButton_, &QPushButton::clicked, this, &LocalizationView::editLanguages);
    updateButtons();
}

LocalizationView::~LocalizationView() {
    app().settings.localizationViewColumns = ui::ColumnWidths(table_);
}

void LocalizationView::setLanguagesEditor(LanguagesEditor editor) {
    languagesEditor_ = std::move(editor);
    updateButtons();
}

QLineEdit* LocalizationView::openEditor() const {
    return delegate_->openEditor();
}

std::optional<size_t> LocalizationView::translatedLanguage() const {
    const Package* package = document().package();
    if (!package)
        return std::nullopt;
    const std::vector<uint32_t>& languages = package->languages;
    auto found = std::find(languages.begin(), languages.end(), chosenLanguage_);
    if (found == languages.end() ||
        size_t(found - languages.begin()) == document().currentLanguage())
        return std::nullopt;
    return size_t(found - languages.begin());
}

void LocalizationView::refresh() {
    fillLanguageBox();
    fillRows();
}

void LocalizationView::fillLanguageBox() {
    const QSignalBlocker quiet(languages_);
    std::vector<uint32_t> others;
    uint32_t current = 0;
    if (const Package* package = document().package()) {
        const size_t shown = document().currentLanguage();
        for (size_t i = 0; i < package->languages.size(); ++i) {
            if (i == shown)
                current = package->languages[i];
            else
                others.push_back(package->languages[i]);
        }
    }
    // A language that became the current one swaps places with the one it replaced.
    if (!contains(others, chosenLanguage_))
        chosenLanguage_ = contains(others, shownCurrent_) ? shownCurrent_
                          : others.empty()                ? 0
                                                          : others.front();
    shownCurrent_ = current;
    ui::FillLanguageCombo(*languages_, others, chosenLanguage_);
    languages_->setEnabled(!others.empty());
}

void LocalizationView::fillRows() {
    const QModelIndexList selected = table_->selectionModel()->selectedRows();
    const int selectedRow = selected.isEmpty() ? -1 : selected.front().row();
    std::vector<LocalizationModel::Row> rows;
    QStringList headers{QStringLiteral("Item"), QString(), QString()};
    if (Package* package = document().package()) {
        headers[1] = QStringLiteral("Current: ") +
                     ui::LanguageDisplayName(package->languages.at(document().currentLanguage()));
        if (std::optional<size_t> translated = translatedLanguage())
            headers[2] = ui::LanguageDisplayName(package->languages[*translated]);
        for (LocalizationRow& row : LocalizationRows(*package)) {
            auto [current, translation] = cellTexts(row);
            rows.push_back({std::move(row), current, translation});
        }
    }
    model_->reset(std::move(rows), headers, translatedLanguage().has_value());
    if (selectedRow >= 0 && selectedRow < model_->rowCount())
        table_->selectionModel()->select(model_->index(selectedRow, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    updateButtons();
}

std::pair<QString, QString> LocalizationView::cellTexts(const LocalizationRow& row) const {
    Package* package = document().package();
    if (!package)
        return {};
    const std::optional<size_t> translated = translatedLanguage();
    const size_t current = document().currentLanguage();
    if (row.kind != LocalizationRowKind::Dialog)
        return {ui::ToQString(RowText(*package, row, current)),
                translated ? ui::ToQString(RowText(*package, row, *translated)) : QString()};
    auto preview = [&](size_t language) {
        return ui::ToQString(DialogTextPreview(ReadLanguageDialogText(
            *row.dialog, language, document().folder(), document().buildConfiguration())));
    };
    return {preview(current), translated ? preview(*translated) : QString()};
}

QString LocalizationView::commit(const LocalizationRow& row, const QString& text) {
    Package* package = document().package();
    const std::optional<size_t> language = translatedLanguage();
    if (!package || !language)
        return {};
    const WideText typed = ui::ToWide(text);
    auto replace = [&](Package& p) {
        LocalizedText* texts = RowTexts(p, row);
        return texts && ReplaceText(*texts, *language, typed);
    };
    switch (row.kind) {
    case LocalizationRowKind::PackageName:
    case LocalizationRowKind::Vendor:
        document().changePackage(PackageChangeKind::Header, replace, changeOrigin());
        break;
    case LocalizationRowKind::Dependency:
        document().changePackage(PackageChangeKind::Dependencies, replace, changeOrigin());
        break;
    case LocalizationRowKind::Option:
        document().changeItem(
            row.option,
            [&](OptionItem& option) { return ReplaceText(option.names, *language, typed); },
            EditOrigin{ItemChangeSource::Sequence, changeOrigin()});
        break;
    case LocalizationRowKind::Dialog:
        break;
    }
    return ui::ToQString(RowText(*package, row, *language));
}

void LocalizationView::editRow(int row) {
    const std::optional<size_t> language = translatedLanguage();
    const LocalizationRow* shown = model_->rowAt(row);
    if (!language || !shown)
        return;
    if (shown->kind != LocalizationRowKind::Dialog) {
        const QModelIndex cell = model_->index(row, LocalizationModel::kTranslation);
        table_->setCurrentIndex(cell);
        table_->edit(cell);
        return;
    }
    const LocalizationRow dialog = *shown;
    if (EditDialogText(this, document(), *dialog.dialog, *language,
                       EditOrigin{ItemChangeSource::Sequence, changeOrigin()})) {
        auto [current, translation] = cellTexts(dialog);
        model_->setTexts(row, current, translation);
    }
}

void LocalizationView::editLanguages() {
    Package* package = document().package();
    if (!package || !languagesEditor_)
        return;
    delegate_->commitOpenEditor();
    std::vector<uint32_t> languages = package->languages;
    size_t current = document().currentLanguage();
    if (!languagesEditor_(this, languages, current))
        return;
    document().setLanguages(languages, changeOrigin());
    document().setCurrentLanguage(current);
    invalidate();
}

void LocalizationView::commitEdits() {
    delegate_->commitOpenEditor();
}

void LocalizationView::deactivated() {
    // The rows may point to items other views remove while this one is hidden.
    delegate_->commitOpenEditor();
}

void LocalizationView::itemChanged(const ItemChange& change) {
    if (!isOwnChange(change.origin))
        invalidate();
}

void LocalizationView::packageChanged(const PackageChange& change) {
    if (!isOwnChange(change.origin))
        invalidate();
}

void LocalizationView::updateButtons() {
    edit_->setEnabled(translatedLanguage().has_value() && table_->selectionModel()->hasSelection());
    languagesButton_->setEnabled(document().isOpen() && bool(languagesEditor_));
}

ViewPage* CreateLocalizationView(Application& app, ui::CommandRegistry& registry, QWidget* parent) {
    return new LocalizationView(app, registry, parent);
}

void SetLanguagesEditor(const std::vector<ViewPage*>& pages, LanguagesEditor editor) {
    const size_t index = size_t(ViewIndex::Localization);
    if (auto* view = index < pages.size() ? dynamic_cast<LocalizationView*>(pages[index]) : nullptr)
        view->setLanguagesEditor(std::move(editor));
}

} // namespace tb
