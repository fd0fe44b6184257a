#include "views/view_page.h"

#include "document/application.h"
#include "ui/qt_text.h"

namespace tb {

ViewPage::ViewPage(Application& app, ui::CommandRegistry& registry, const QString& name,
                   QWidget* parent)
    : QWidget(parent), app_(app), name_(name), commands_(registry) {
    setObjectName(name);
    app_.document.addListener(this);
}

ViewPage::~ViewPage() {
    app_.document.removeListener(this);
}

PackageDocument& ViewPage::document() const {
    return app_.document;
}

void ViewPage::activate() {
    if (isActive())
        return;
    if (needsRefresh())
        refreshNow();
    commands_.setActive(true);
    activated();
}

void ViewPage::deactivate() {
    if (!isActive())
        return;
    deactivated();
    commands_.setActive(false);
}

void ViewPage::invalidate() {
    dirty_ = true;
    if (isActive())
        refreshNow();
}

void ViewPage::refreshNow() {
    dirty_ = false;
    refresh();
    commands_.update(); // the rules read the controls just filled
}

void ViewPage::documentCreated() {
    invalidate();
}

void ViewPage::documentOpened() {
    invalidate();
}

void ViewPage::documentClosed() {
    // The package is gone: rows and nodes that point into it go too, shown or not.
    refreshNow();
}

void ViewPage::currentLanguageChanged(size_t) {
    invalidate();
}

std::vector<ViewPage*> CreateViewPages(Application& app, ui::CommandRegistry& registry,
                                       QWidget* parent) {
    // Each view replaces its blank page here as it is written.
    std::vector<ViewPage*> pages;
    for (std::u16string_view name : kViewNames)
        pages.push_back(new ViewPage(app, registry, ui::ToQString(name), parent));
    // The tool bar commands of the Phone View (its display mode) and of the Designer stay off
    // until those views run them.
    for (int id : {ui::cmd::kTargetSimple, ui::cmd::kTargetFull})
        pages[size_t(ViewIndex::PhoneView)]->commands().claim(id);
    for (int id : {ui::cmd::kMoveUp, ui::cmd::kMoveDown})
        pages[size_t(ViewIndex::Designer)]->commands().claim(id);
    return pages;
}

} // namespace tb

namespace tb {

void ViewPage::editBatchStarted() {
    batching_ = true;
}

void ViewPage::editBatchEnded() {
    batching_ = false;
    if (dirtyAfterBatch_) {
        dirtyAfterBatch_ = false;
        invalidate();
    }
}

void ViewPage::invalidateAfterBatch() {
    if (batching_)
        dirtyAfterBatch_ = true;
    else
        invalidate();
}

} // namespace tb
