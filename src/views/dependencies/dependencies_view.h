#pragma once

#include "views/view_page.h"

namespace tb {

// The Dependencies view, a child of parent: the package's dependencies on devices or platforms
// and on other packages, "Name" (in the current language), "Version" and "Type", added, edited
// and removed through the dependency dialog. A ListViewPage.
ViewPage* CreateDependenciesView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

} // namespace tb
