#pragma once

#include <QCheckBox>

#include <functional>

namespace tb::ui {

// "Don't show this again": the setting behind it changes the moment the box is ticked or
// cleared, not when its dialog closes.
class DontShowAgainBox : public QCheckBox {
    Q_OBJECT
public:
    DontShowAgainBox(bool checked, std::function<void(bool checked)> onChanged,
                     QWidget* parent = nullptr);
};

} // namespace tb::ui
