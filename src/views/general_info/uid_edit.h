#pragma once

#include "ui/form_dialog.h"

#include <cstdint>
#include <optional>

class QLineEdit;

namespace tb {

class PackageDocument;

// "Edit UID": the package UID as "0x" and hexadecimal or in decimal; OK refuses any text that
// is not wholly such a number, a value beyond 32 bits, and 0.
class EditUidDialog : public ui::FormDialog {
    Q_OBJECT
public:
    EditUidDialog(QWidget* owner, uint32_t uid);

    QLineEdit* uidBox() const { return box_; }
    // The UID taken by OK.
    uint32_t uid() const { return uid_; }

protected:
    bool apply() override;

private:
    QLineEdit* box_ = nullptr;
    uint32_t uid_ = 0;
};

// Shows the dialog; the new UID, none on Cancel.
std::optional<uint32_t> AskPackageUid(QWidget* owner, uint32_t uid);

// Gives the open package newUid and moves every file target and the logo target that lie in
// the old UID's private folder into the new one, as one edit batch: the other views hear the
// new UID and each moved file and refresh once. False when there was nothing to change.
bool ChangePackageUid(PackageDocument& document, uint32_t newUid, const void* origin);

} // namespace tb
