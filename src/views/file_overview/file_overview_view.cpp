#include "views/file_overview/file_overview_view.h"

namespace tb {

ViewPage* CreateFileOverviewView(Application& app, ui::CommandRegistry& registry, QWidget* parent) {
    return new ViewPage(app, registry, QStringLiteral("File Overview"), parent);
}

} // namespace tb
