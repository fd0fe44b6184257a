#include "views/view_page.h"

#include "views/dependencies/dependencies_view.h"
#include "views/deployment/deployment_view.h"
#include "views/designer/designer_view.h"
#include "views/file_overview/file_overview_view.h"
#include "views/general_info/general_info_view.h"
#include "views/localization/localization_view.h"
#include "views/phone/phone_view.h"
#include "views/properties/properties_view.h"

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
    std::vector<ViewPage*> pages{CreateGeneralInfoView(app, registry, parent),
                                 CreateFileOverviewView(app, registry, parent),
                                 CreatePhoneView(app, registry, parent),
                                 CreateDesignerView(app, registry, parent),
                                 CreateDependenciesView(app, registry, parent),
                                 CreatePropertiesView(app, registry, parent),
                                 CreateLocalizationView(app, registry, parent),
                                 CreateDeploymentView(app, registry, parent)};
    // The tool bar commands of the Phone View (its display mode) and of the Designer stay off
    // until those views run them.
    for (int id : {ui::cmd::kTargetSimple, ui::cmd::kTargetFull})
        if (!pages[size_t(ViewIndex::PhoneView)]->commands().owns(id))
            pages[size_t(ViewIndex::PhoneView)]->commands().claim(id);
    for (int id : {ui::cmd::kMoveUp, ui::cmd::kMoveDown})
        if (!pages[size_t(ViewIndex::Designer)]->commands().owns(id))
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
