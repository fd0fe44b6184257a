#pragma once

#include "views/view_page.h"

namespace tb {

// The Localization view, a child of parent.
ViewPage* CreateLocalizationView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

} // namespace tb
