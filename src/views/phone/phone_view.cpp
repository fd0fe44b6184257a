#include "views/phone/phone_view.h"

namespace tb {

ViewPage* CreatePhoneView(Application& app, ui::CommandRegistry& registry, QWidget* parent) {
    return new ViewPage(app, registry, QStringLiteral("Phone View"), parent);
}

} // namespace tb
