#include "ui/dont_show_again.h"

namespace tb::ui {

DontShowAgainBox::DontShowAgainBox(bool checked, std::function<void(bool)> onChanged,
                                   QWidget* parent)
    : QCheckBox(QStringLiteral("Don't show this again"), parent) {
    setChecked(checked);
    connect(this, &QCheckBox::toggled, this, std::move(onChanged));
}

} // namespace tb::ui
