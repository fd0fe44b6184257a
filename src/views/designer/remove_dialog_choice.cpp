#include "views/designer/remove_dialog_choice.h"

#include "editing/sequence_removal.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

namespace tb {

namespace {

constexpr int kRemove = 1;
constexpr int kDelete = 2;

} // namespace

RemoveDialogChoice::RemoveDialogChoice(QWidget* owner) : QDialog(owner) {
    setWindowTitle(ui::ApplicationTitle());
    auto* layout = new QGridLayout(this);
    auto* icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(size));
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    int row = 0;
    for (std::u16string_view text :
         {kRemoveDialogQuestion, kRemoveDialogRemoveHint, kRemoveDialogDeleteHint})
        layout->addWidget(new QLabel(ui::ToQString(text), this), row++, 1);

    auto* buttons = new QDialogButtonBox(this);
    remove_ = buttons->addButton(QStringLiteral("Remove"), QDialogButtonBox::AcceptRole);
    delete_ = buttons->addButton(QStringLiteral("Delete"), QDialogButtonBox::DestructiveRole);
    cancel_ = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    remove_->setDefault(true);
    connect(remove_, &QPushButton::clicked, this, [this] { done(kRemove); });
    connect(delete_, &QPushButton::clicked, this, [this] { done(kDelete); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons, row, 0, 1, 2);
}

DialogRemoval RemoveDialogChoice::ask() {
    QTimer::singleShot(0, this, [this] { ui::CentreOnOwner(this, parentWidget()); });
    switch (exec()) {
    case kRemove:
        return DialogRemoval::Remove;
    case kDelete:
        return DialogRemoval::Delete;
    default:
        return DialogRemoval::Cancel;
    }
}

} // namespace tb
