#pragma once

#include "views/view_page.h"

namespace tb {

// The General Info view, a child of parent.
ViewPage* CreateGeneralInfoView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

} // namespace tb
