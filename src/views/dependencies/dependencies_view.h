#pragma once

#include "views/view_page.h"

namespace tb {

// The Dependencies view, a child of parent.
ViewPage* CreateDependenciesView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

} // namespace tb
