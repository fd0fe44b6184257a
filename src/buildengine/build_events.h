#pragma once

#include "util/listener_list.h"

#include <cstdint>

namespace tb {

class InstallItem;

enum class BuildEventCode : uint32_t {
    Started = 0x8001,
    Succeeded = 0x8002,
    Failed = 0x8003,
    Cancelled = 0x8004,
    Stage = 0x8005,
    OutputChanged = 0x8006,
    ItemReached = 0x8007,
};

struct BuildEvent {
    BuildEventCode code;
    int32_t stage = 0;                 // Stage: 1 or 2
    const InstallItem* item = nullptr; // ItemReached
};

// Told about a build on the thread that started it, in posting order.
class BuildListener {
public:
    virtual ~BuildListener() = default;
    virtual void buildStarted() {}
    virtual void buildSucceeded() {}
    virtual void buildFailed() {}
    virtual void buildCancelled() {}
    virtual void buildStage(int32_t /*stage*/) {}
    virtual void outputChanged() {}
    virtual void itemProcessed(const InstallItem* /*item*/) {}
};

// Calls the listener operation of event on every listener, in order; listeners may add or
// remove listeners while they are told.
void DeliverBuildEvent(const BuildEvent& event, ListenerList<BuildListener>& listeners);

// Carries events from the build thread to the thread that started the build. post() may be
// called from any thread; the front end delivers the events on its own thread, in posting
// order (the window through queued Qt events, the command line and tests through
// BuildEventQueue).
class BuildEventPoster {
public:
    virtual ~BuildEventPoster() = default;
    virtual void post(const BuildEvent& event) = 0;
};

} // namespace tb
