#include "views/deployment/deployment_view.h"

namespace tb {

ViewPage* CreateDeploymentView(Application& app, ui::CommandRegistry& registry, QWidget* parent) {
    return new ViewPage(app, registry, QStringLiteral("Deployment"), parent);
}

} // namespace tb
