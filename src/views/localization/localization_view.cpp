#include "views/localization/localization_view.h"

namespace tb {

ViewPage* CreateLocalizationView(Application& app, ui::CommandRegistry& registry, QWidget* parent) {
    return new ViewPage(app, registry, QStringLiteral("Localization"), parent);
}

} // namespace tb
