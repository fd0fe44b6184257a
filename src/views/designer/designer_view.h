#pragma once

#include "views/view_page.h"

namespace tb {

// The Designer view, a child of parent.
ViewPage* CreateDesignerView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

} // namespace tb
