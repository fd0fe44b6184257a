#pragma once

#include "model/install_item.h"
#include "ui/form_dialog.h"

class QCheckBox;
class QLabel;

namespace tb {

inline constexpr const char* kInstallOnlyIfNotInstalled =
    "Install only if not already installed on device";

// "Include Package <path>": an embedded SIS file, its UID and source shown; only whether it is
// installed when the device has it already can be changed.
class IncludePackageDialog : public ui::FormDialog {
    Q_OBJECT
public:
    IncludePackageDialog(QWidget* owner, const IncludePackageItem& package);

    QLabel* uidLabel() const { return uid_; }
    QLabel* sourceLabel() const { return source_; }
    // Checked: the package is installed only when the device lacks it (not unconditional).
    QCheckBox* onlyIfNotInstalledBox() const { return onlyIfNotInstalled_; }

private:
    QLabel* uid_;
    QLabel* source_;
    QCheckBox* onlyIfNotInstalled_;
};

} // namespace tb
