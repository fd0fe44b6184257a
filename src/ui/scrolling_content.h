#pragma once

class QWidget;

namespace tb::ui {

// Fills page with a frameless scroll area and returns the widget to lay the page's controls
// out on: a page taller than the room it gets scrolls instead of forcing its height on the
// window.
QWidget* ScrollingContent(QWidget* page);

} // namespace tb::ui
