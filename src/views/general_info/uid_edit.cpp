#include "views/general_info/uid_edit.h"

#include "document/edit_batch.h"
#include "document/package_document.h"
#include "editing/uid_change.h"
#include "editing/version_text.h"
#include "ui/qt_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace tb {

EditUidDialog::EditUidDialog(QWidget* owner, uint32_t uid)
    : FormDialog(owner, QStringLiteral("Edit UID")) {
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("UID:"), this);
    box_ = new QLineEdit(ui::ToQString(UidText(uid)), this);
    label->setBuddy(box_);
    row->addWidget(label);
    row->addWidget(box_, 1);
    body()->addLayout(row);
    box_->selectAll();
    box_->setFocus();
    addCheck(box_, QStringLiteral("You must enter a number in hexadecimal or normal form."),
             [this] { return ParseUidText(ui::ToWide(box_->text())).has_value(); });
}

bool EditUidDialog::apply() {
    uid_ = *ParseUidText(ui::ToWide(box_->text()));
    return true;
}

std::optional<uint32_t> AskPackageUid(QWidget* owner, uint32_t uid) {
    EditUidDialog dialog(owner, uid);
    if (!dialog.run())
        return std::nullopt;
    return dialog.uid();
}

bool ChangePackageUid(PackageDocument& document, uint32_t newUid, const void* origin) {
    const Package* package = document.package();
    if (!package || package->uid == newUid)
        return false;
    const uint32_t oldUid = package->uid;
    std::vector<TargetMove> moves = PrivateFolderMoves(*package, newUid);
    const std::optional<WideText> logoTarget =
        MovedPrivateTarget(package->logo.target, oldUid, newUid);

    EditBatch batch(document);
    // The UID first: a view that follows each moved file then finds it in the private folder.
    if (!document.changePackage(
            PackageChangeKind::Header, [newUid](Package& p) { p.uid = newUid; }, origin))
        return false;
    const EditOrigin by{ItemChangeSource::Sequence, origin};
    for (TargetMove& move : moves)
        document.changeItem(
            move.file, [&move](FileItemBase& file) { file.target = std::move(move.target); }, by);
    if (logoTarget)
        document.changePackage(
            PackageChangeKind::Logo, [&logoTarget](Package& p) { p.logo.target = *logoTarget; },
            origin);
    return true;
}

} // namespace tb
