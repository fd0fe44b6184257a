#include "views/properties/properties_view.h"

namespace tb {

ViewPage* CreatePropertiesView(Application& app, ui::CommandRegistry& registry, QWidget* parent) {
    return new ViewPage(app, registry, QStringLiteral("Properties"), parent);
}

} // namespace tb
