#pragma once

#include <QWidget>

namespace tb::ui {
class CommandRegistry;
}

namespace tb {

// The column of eight large buttons that switch between the views. Each button shows the
// checked state of its view command.
class ViewBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kButtonHeight = 55;
    static constexpr int kWidth = 110;
    static constexpr int kButtonMargin = 10; // buttons are as wide as the bar less this

    ViewBar(ui::CommandRegistry& commands, QWidget* parent);
};

} // namespace tb
