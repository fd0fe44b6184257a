#include "views/dialogs/edit_option_dialog.h"

#include "document/package_document.h"
#include "ui/qt_text.h"
#include "views/dialogs/action_dialogs_api.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace tb {

EditOptionDialog::EditOptionDialog(QWidget* owner, const QString& text)
    : FormDialog(owner, QStringLiteral("Edit Option")) {
    text_ = new QLineEdit(text, this);
    text_->setMinimumWidth(300);
    text_->selectAll();
    body()->addWidget(text_);
    // Spaces alone are a description; the package file cannot hold a double quote in one.
    addCheck(text_, QStringLiteral("You must enter a description."),
             [this] { return !text_->text().isEmpty(); });
    addCheck(text_, QStringLiteral("Description may not contain any \" char"),
             [this] { return !text_->text().contains(QLatin1Char('"')); });
}

bool EditOption(QWidget* owner, PackageDocument& document, OptionItem* option, EditOrigin by) {
    const size_t language = document.currentLanguage();
    if (!option || language >= option->names.size())
        return false;
    EditOptionDialog dialog(owner, ui::ToQString(option->names[language]));
    if (!dialog.run())
        return false;
    const WideText text = ui::ToWide(dialog.textBox()->text());
    document.changeItem(
        option,
        [&](OptionItem& item) {
            if (item.names[language] == text)
                return false;
            item.names[language] = text;
            return true;
        },
        by);
    return true;
}

} // namespace tb
