#include "ui/dialog_buttons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace tb::ui {

DialogButtons AddDialogButtons(QDialog& dialog, QBoxLayout& layout, const QString& acceptText,
                               const QString& cancelText, std::function<void()> onAccept) {
    auto* box = new QDialogButtonBox(&dialog);
    DialogButtons buttons;
    buttons.accept = box->addButton(acceptText, QDialogButtonBox::AcceptRole);
    buttons.cancel = box->addButton(cancelText, QDialogButtonBox::RejectRole);
    buttons.accept->setDefault(true);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, std::move(onAccept));
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout.addWidget(box);
    return buttons;
}

} // namespace tb::ui
