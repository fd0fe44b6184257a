#pragma once

#include "views/view_page.h"

namespace tb {

// The Properties view, a child of parent.
ViewPage* CreatePropertiesView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

} // namespace tb
