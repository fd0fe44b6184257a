#pragma once

#include "views/view_page.h"

namespace tb {

// The Deployment view, a child of parent.
ViewPage* CreateDeploymentView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

} // namespace tb
