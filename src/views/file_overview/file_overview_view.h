#pragma once

#include "views/view_page.h"

namespace tb {

// The File Overview view, a child of parent.
ViewPage* CreateFileOverviewView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

} // namespace tb
