#include "views/designer/designer_view.h"

namespace tb {

ViewPage* CreateDesignerView(Application& app, ui::CommandRegistry& registry, QWidget* parent) {
    return new ViewPage(app, registry, QStringLiteral("Designer"), parent);
}

} // namespace tb
