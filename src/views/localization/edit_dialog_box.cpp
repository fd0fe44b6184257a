#include "views/localization/edit_dialog_box.h"

#include "document/package_document.h"
#include "editing/dialog_text_files.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"
#include "util/text_file.h"
#include "views/dialogs/dialog_text_import.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tb {

EditDialogBox::EditDialogBox(QWidget* owner, PackageDocument& document,
                             ShowLanguageDialogItem& dialog, size_t language, EditOrigin by)
    : FormDialog(owner, ui::ToQString(dialog.name)), document_(document), dialog_(dialog),
      language_(language), by_(by),
      opened_(OpenLanguageDialogText(dialog, language, document.package()->languages,
                                     document.folder(), document.buildConfiguration())) {
    text_ = new QPlainTextEdit(ui::ToQString(opened_.text), this);
    text_->setReadOnly(!opened_.readable);
    text_->setMinimumSize(420, 240);
    body()->addWidget(text_, 1);
    import_ = new QPushButton(QStringLiteral("Import text..."), this);
    import_->setAutoDefault(false);
    import_->setEnabled(opened_.readable);
    auto* row = new QHBoxLayout;
    row->addWidget(import_);
    row->addStretch(1);
    body()->addLayout(row);
    connect(import_, &QPushButton::clicked, this, &EditDialogBox::importText);
}

void EditDialogBox::importText() {
    ImportDialogText(this, document_.folder(), *text_);
}

bool EditDialogBox::apply() {
    if (!opened_.readable)
        return true; // the file is left as it is
    const WideText text = TextForFile(ui::ToWide(text_->toPlainText()));
    if (!opened_.newFile) {
        if (WriteTextFile(opened_.path, text) == err::kOk)
            return true;
        ui::ShowError(this, ui::ToQString(kDialogSaveFailed));
        return false;
    }
    const TextFilesResult made =
        CreateTextFiles({{opened_.path, text}}, [this](const std::string& path) {
            return ui::AskYesNo(this, ui::ToQString(ReplaceFileQuestion(path))) ==
                   ui::MessageAnswer::Yes;
        });
    if (made != TextFilesResult::Written) {
        if (made == TextFilesResult::Failed)
            ui::ShowError(this, ui::ToQString(kDialogSaveFailed));
        return false;
    }
    const WideText stored = StoredDialogTextPath(opened_.path, document_.folder());
    document_.changeItem(
        &dialog_,
        [&](ShowLanguageDialogItem& item) {
            return language_ < item.sources.size() && (item.sources[language_] = stored, true);
        },
        by_);
    return true;
}

bool EditDialogText(QWidget* owner, PackageDocument& document, ShowLanguageDialogItem& dialog,
                    size_t language, EditOrigin by) {
    if (!document.isOpen())
        return false;
    return EditDialogBox(owner, document, dialog, language, by).run();
}

} // namespace tb
