#include "views/dialogs/include_package_dialog.h"

#include "document/package_document.h"
#include "ui/qt_text.h"
#include "util/numbers.h"
#include "views/dialogs/action_dialogs_api.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tb {

IncludePackageDialog::IncludePackageDialog(QWidget* owner, const IncludePackageItem& package)
    : FormDialog(owner, QStringLiteral("Include Package ") + ui::ToQString(package.path)) {
    auto* form = new QFormLayout;
    uid_ = new QLabel(ui::ToQString(numberToText(package.uid, 16)), this);
    form->addRow(QStringLiteral("UID:"), uid_);
    source_ = new QLabel(ui::ToQString(package.path), this);
    source_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QStringLiteral("Souce:"), source_);
    body()->addLayout(form);
    onlyIfNotInstalled_ = new QCheckBox(QString::fromLatin1(kInstallOnlyIfNotInstalled), this);
    onlyIfNotInstalled_->setChecked(!package.unconditional);
    body()->addWidget(onlyIfNotInstalled_);
}

bool EditIncludePackage(QWidget* owner, PackageDocument& document, IncludePackageItem* package,
                        EditOrigin by) {
    if (!document.isOpen() || !package)
        return false;
    IncludePackageDialog dialog(owner, *package);
    if (!dialog.run())
        return false;
    const bool unconditional = !dialog.onlyIfNotInstalledBox()->isChecked();
    document.changeItem(
        package,
        [&](IncludePackageItem& item) {
            if (item.unconditional == unconditional)
                return false;
            item.unconditional = unconditional;
            return true;
        },
        by);
    return true;
}

} // namespace tb
