#include "views/dependencies/dependencies_view.h"

namespace tb {

ViewPage* CreateDependenciesView(Application& app, ui::CommandRegistry& registry, QWidget* parent) {
    return new ViewPage(app, registry, QStringLiteral("Dependencies"), parent);
}

} // namespace tb
