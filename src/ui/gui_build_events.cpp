#include "ui/gui_build_events.h"

#include "buildengine/build_controller.h"

#include <QCoreApplication>
#include <QEvent>

namespace tb::ui {

namespace {

const QEvent::Type kBuildEventType = QEvent::Type(QEvent::registerEventType());

class BuildQtEvent : public QEvent {
public:
    explicit BuildQtEvent(const BuildEvent& e) : QEvent(kBuildEventType), event(e) {}
    BuildEvent event;
};

} // namespace

void GuiBuildEvents::post(const BuildEvent& event) {
    QCoreApplication::postEvent(this, new BuildQtEvent(event));
}

void GuiBuildEvents::customEvent(QEvent* event) {
    if (event->type() != kBuildEventType || !controller_)
        return;
    DeliverBuildEvent(static_cast<BuildQtEvent*>(event)->event, controller_->listeners());
}

} // namespace tb::ui
