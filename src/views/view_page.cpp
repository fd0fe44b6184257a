#include "views/view_page.h"

#include "ui/qt_text.h"

namespace tb {

ViewPage::ViewPage(const QString& name, QWidget* parent) : QWidget(parent), name_(name) {
    setObjectName(name);
}

std::vector<ViewPage*> CreateViewPages(Application& /*app*/, ui::CommandRegistry& /*commands*/,
                                       QWidget* parent) {
    // Each view replaces its blank page here as it is written.
    std::vector<ViewPage*> pages;
    for (std::u16string_view name : kViewNames)
        pages.push_back(new ViewPage(ui::ToQString(name), parent));
    return pages;
}

} // namespace tb
