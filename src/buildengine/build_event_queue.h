#pragma once

#include "buildengine/build_events.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace tb {

// A plain in-order queue: the build thread posts, the owning thread takes the events off and
// delivers them.
class BuildEventQueue : public BuildEventPoster {
public:
    void post(const BuildEvent& event) override;

    // Delivers every queued event to listeners; returns how many were delivered.
    size_t deliverPending(ListenerList<BuildListener>& listeners);
    // Waits up to timeout for at least one event, then delivers what is queued.
    size_t waitAndDeliver(ListenerList<BuildListener>& listeners,
                          std::chrono::milliseconds timeout);

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<BuildEvent> events_;
};

} // namespace tb
