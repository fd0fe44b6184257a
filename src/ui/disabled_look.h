#pragma once

#include <QColor>
#include <QIcon>

namespace tb::ui {

// The icon with disabled pixmaps of its own: grey and faint. The style's generated ones keep
// dark line icons as dark as enabled ones.
QIcon WithDisabledLook(const QIcon& icon);

// Text colour for disabled labels on background: between the enabled text and the background,
// still readable (the style's own nearly vanishes on darker backgrounds).
QColor DisabledTextColor(const QColor& text, const QColor& background);

} // namespace tb::ui
