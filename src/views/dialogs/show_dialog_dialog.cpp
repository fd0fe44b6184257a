#include "views/dialogs/show_dialog_dialog.h"

#include "document/package_document.h"
#include "editing/dialog_names.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"
#include "util/text_file.h"
#include "views/dialogs/action_dialogs_api.h"
#include "views/dialogs/dialog_text_import.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tb {

namespace {

bool isLanguageKind(InstallItemKind kind) {
    return kind == InstallItemKind::ShowLanguageDialog;
}

QString titleOf(InstallItemKind kind) {
    return isLanguageKind(kind) ? QStringLiteral("Show Language Dependent Dialog")
                                : QStringLiteral("Show Dialog");
}

// The stored path of the text file the current language's text is in; empty when none.
WideText storedTextPath(const DialogItemBase& dialog, size_t language) {
    if (const auto* single = itemAs<ShowDialogItem>(&dialog))
        return single->source;
    const auto* perLanguage = itemAs<ShowLanguageDialogItem>(&dialog);
    return perLanguage && language < perLanguage->sources.size() ? perLanguage->sources[language]
                                                                 : WideText();
}

// Where the current language's text file goes when the dialog has none yet.
std::string newTextPath(const DialogItemBase& dialog, const PackageDocument& document) {
    if (!isLanguageKind(dialog.kind))
        return DialogTextFilePath(document.folder(), dialog.name);
    const uint32_t language = document.package()->languages.at(document.currentLanguage());
    return LanguageDialogTextFilePaths(document.folder(), dialog.name, {language}).front();
}

template <class Item> std::unique_ptr<Item> downcast(std::unique_ptr<DialogItemBase> item) {
    return std::unique_ptr<Item>(itemAs<Item>(item.release()));
}

} // namespace

ShowDialogDialog::ShowDialogDialog(QWidget* owner, PackageDocument& document, InstallItemKind kind)
    : ShowDialogDialog(owner, document, kind, nullptr, {}) {}

ShowDialogDialog::ShowDialogDialog(QWidget* owner, PackageDocument& document,
                                   DialogItemBase& dialog, EditOrigin by)
    : ShowDialogDialog(owner, document, dialog.kind, &dialog, by) {}

ShowDialogDialog::ShowDialogDialog(QWidget* owner, PackageDocument& document, InstallItemKind kind,
                                   DialogItemBase* dialog, EditOrigin by)
    : FormDialog(owner, titleOf(kind)), document_(document), kind_(kind), dialog_(dialog), by_(by) {
    if (dialog_) {
        build(ui::ToQString(dialog_->name), dialog_->textOption);
        loadText();
        return;
    }
    build(ui::ToQString(isLanguageKind(kind_) ? kNewLanguageDialogName : kNewDialogName),
          TextOption::TC);
    addCheck([this]() -> std::optional<ui::FormProblem> {
        std::optional<std::u16string_view> refused =
            CheckNewDialogName(document_.package()->items, ui::ToWide(nameBox_->text()));
        if (!refused)
            return std::nullopt;
        return ui::FormProblem{nameBox_, ui::ToQString(*refused)};
    });
}

void ShowDialogDialog::build(const QString& name, TextOption option) {
    auto* form = new QFormLayout;
    if (isNew()) {
        nameBox_ = new QLineEdit(name, this);
        nameBox_->selectAll();
        nameBox_->setFocus(Qt::OtherFocusReason);
        form->addRow(QStringLiteral("Name:"), nameBox_);
    } else {
        nameLabel_ = new QLabel(name, this);
        form->addRow(QStringLiteral("Name:"), nameLabel_);
    }
    buttonKind_ = new QComboBox(this);
    // In the order of TextOption: TC, TA, TE.
    buttonKind_->addItems(
        {QStringLiteral("Continue"), QStringLiteral("Abort"), QStringLiteral("Yes / No")});
    buttonKind_->setCurrentIndex(static_cast<int>(option));
    form->addRow(QStringLiteral("Dialog button:"), buttonKind_);
    body()->addLayout(form);

    body()->addWidget(new QLabel(QStringLiteral("Dialog Text:"), this));
    text_ = new QPlainTextEdit(this);
    text_->setMinimumSize(420, 220);
    body()->addWidget(text_, 1);

    auto* row = new QHBoxLayout;
    import_ = new QPushButton(QStringLiteral("Import text..."), this);
    import_->setAutoDefault(false);
    row->addWidget(import_);
    row->addStretch(1);
    body()->addLayout(row);
    connect(import_, &QPushButton::clicked, this, [this] { importText(); });
}

void ShowDialogDialog::loadText() {
    const WideText stored = storedTextPath(*dialog_, document_.currentLanguage());
    if (stored.empty()) {
        textPath_ = newTextPath(*dialog_, document_);
        makesTextFile_ = true;
        return;
    }
    textPath_ = DialogTextHostPath(stored, document_.folder(), document_.buildConfiguration());
    WideText text;
    if (ReadTextFile(textPath_, text) == err::kOk) {
        text_->setPlainText(ui::ToQString(TextForEditing(text)));
        return;
    }
    text_->setPlainText(ui::ToQString(DialogTextReadError(textPath_)));
    text_->setReadOnly(true);
    import_->setEnabled(false);
}

void ShowDialogDialog::importText() {
    ImportDialogText(this, document_.folder(), *text_);
}

TextOption ShowDialogDialog::chosenOption() const {
    return static_cast<TextOption>(std::max(0, buttonKind_->currentIndex()));
}

WideText ShowDialogDialog::editedText() const {
    return TextForFile(ui::ToWide(text_->toPlainText()));
}

bool ShowDialogDialog::apply() {
    return isNew() ? create() : save();
}

bool ShowDialogDialog::writeNew(const std::vector<TextFileContent>& files) {
    const TextFilesResult result = CreateTextFiles(files, [this](const std::string& path) {
        return ui::AskYesNo(this, ui::ToQString(ReplaceFileQuestion(path))) ==
               ui::MessageAnswer::Yes;
    });
    if (result == TextFilesResult::Failed)
        ui::ShowError(this, ui::ToQString(kDialogCreateFailed));
    return result == TextFilesResult::Written;
}

bool ShowDialogDialog::create() {
    const WideText name = ui::ToWide(nameBox_->text());
    const std::string& folder = document_.folder();
    std::vector<TextFileContent> files;
    if (isLanguageKind(kind_)) {
        // The text typed is the current language's; the other languages start empty.
        const std::vector<uint32_t>& languages = document_.package()->languages;
        for (const std::string& path : LanguageDialogTextFilePaths(folder, name, languages))
            files.push_back({path, {}});
        files.at(document_.currentLanguage()).text = editedText();
    } else {
        files.push_back({DialogTextFilePath(folder, name), editedText()});
    }
    if (!writeNew(files))
        return false;

    if (isLanguageKind(kind_)) {
        auto item = std::make_unique<ShowLanguageDialogItem>(files.size());
        for (size_t i = 0; i < files.size(); ++i)
            item->sources[i] = StoredDialogTextPath(files[i].path, folder);
        created_ = std::move(item);
    } else {
        created_ = std::make_unique<ShowDialogItem>(StoredDialogTextPath(files[0].path, folder));
    }
    created_->name = name;
    created_->textOption = chosenOption();
    return true;
}

bool ShowDialogDialog::save() {
    if (makesTextFile_) {
        if (!writeNew({{textPath_, editedText()}}))
            return false;
    } else if (!text_->isReadOnly() && WriteTextFile(textPath_, editedText()) != err::kOk) {
        ui::ShowError(this, ui::ToQString(kDialogSaveFailed));
        return false;
    }
    // The text is not part of the package: only the button kind, or a file newly named,
    // changes the item.
    const TextOption option = chosenOption();
    const WideText stored =
        makesTextFile_ ? StoredDialogTextPath(textPath_, document_.folder()) : WideText();
    const size_t language = document_.currentLanguage();
    document_.changeItem(
        dialog_,
        [&](DialogItemBase& item) {
            bool changed = item.textOption != option;
            item.textOption = option;
            if (!stored.empty()) {
                if (auto* single = itemAs<ShowDialogItem>(&item))
                    single->source = stored;
                else if (auto* perLanguage = itemAs<ShowLanguageDialogItem>(&item))
                    perLanguage->sources.at(language) = stored;
                changed = true;
            }
            return changed;
        },
        by_);
    return true;
}

std::unique_ptr<ShowDialogItem> NewShowDialog(QWidget* owner, PackageDocument& document) {
    if (!document.isOpen())
        return nullptr;
    ShowDialogDialog dialog(owner, document, InstallItemKind::ShowDialog);
    return dialog.run() ? downcast<ShowDialogItem>(dialog.takeCreated()) : nullptr;
}

std::unique_ptr<ShowLanguageDialogItem> NewShowLanguageDialog(QWidget* owner,
                                                              PackageDocument& document) {
    if (!document.isOpen())
        return nullptr;
    ShowDialogDialog dialog(owner, document, InstallItemKind::ShowLanguageDialog);
    return dialog.run() ? downcast<ShowLanguageDialogItem>(dialog.takeCreated()) : nullptr;
}

bool EditShowDialog(QWidget* owner, PackageDocument& document, ShowDialogItem* dialog,
                    EditOrigin by) {
    if (!document.isOpen() || !dialog)
        return false;
    return ShowDialogDialog(owner, document, *dialog, by).run();
}

bool EditShowLanguageDialog(QWidget* owner, PackageDocument& document,
                            ShowLanguageDialogItem* dialog, EditOrigin by) {
    if (!document.isOpen() || !dialog)
        return false;
    return ShowDialogDialog(owner, document, *dialog, by).run();
}

} // namespace tb
