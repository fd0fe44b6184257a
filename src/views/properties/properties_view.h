#pragma once

#include "views/view_page.h"

namespace tb {

// The Properties view, a child of parent: the package's properties, "Key" and "Value" in model
// order, added, edited and removed through the property dialog. A ListViewPage.
ViewPage* CreatePropertiesView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

} // namespace tb
