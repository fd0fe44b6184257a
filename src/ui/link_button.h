#pragma once

#include <QPushButton>

namespace tb::ui {

// A flat button drawn as a hyperlink with an icon: link colour, underlined while the mouse is
// over it, hand cursor.
class LinkButton : public QPushButton {
    Q_OBJECT
public:
    LinkButton(const QIcon& icon, const QString& text, QWidget* parent = nullptr);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setUnderlined(bool underlined);
};

} // namespace tb::ui
