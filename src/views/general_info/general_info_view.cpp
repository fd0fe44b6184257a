#include "views/general_info/general_info_view.h"

namespace tb {

ViewPage* CreateGeneralInfoView(Application& app, ui::CommandRegistry& registry, QWidget* parent) {
    return new ViewPage(app, registry, QStringLiteral("General Info"), parent);
}

} // namespace tb
