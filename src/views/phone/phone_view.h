#pragma once

#include "views/view_page.h"

namespace tb {

// The Phone View view, a child of parent.
ViewPage* CreatePhoneView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

} // namespace tb
