#pragma once

#include "buildengine/build_events.h"

#include <QObject>

namespace tb {
class BuildController;
}

namespace tb::ui {

// Carries build events from the build thread to the user-interface thread as queued Qt
// events: they arrive in posting order, also while a modal dialog runs its own loop, and are
// delivered to the controller's listeners there.
class GuiBuildEvents : public QObject, public BuildEventPoster {
public:
    explicit GuiBuildEvents(QObject* parent = nullptr) : QObject(parent) {}

    // The controller whose listeners hear the events; set once it exists.
    void setController(BuildController* controller) { controller_ = controller; }

    void post(const BuildEvent& event) override;

protected:
    void customEvent(QEvent* event) override;

private:
    BuildController* controller_ = nullptr;
};

} // namespace tb::ui
