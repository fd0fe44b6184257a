#include "buildengine/build_event_queue.h"

namespace tb {

void DeliverBuildEvent(const BuildEvent& event, ListenerList<BuildListener>& listeners) {
    listeners.notify([&event](BuildListener& listener) {
        switch (event.code) {
        case BuildEventCode::Started:
            listener.buildStarted();
            break;
        case BuildEventCode::Succeeded:
            listener.buildSucceeded();
            break;
        case BuildEventCode::Failed:
            listener.buildFailed();
            break;
        case BuildEventCode::Cancelled:
            listener.buildCancelled();
            break;
        case BuildEventCode::Stage:
            listener.buildStage(event.stage);
            break;
        case BuildEventCode::OutputChanged:
            listener.outputChanged();
            break;
        case BuildEventCode::ItemReached:
            listener.itemProcessed(event.item);
            break;
        }
    });
}

void BuildEventQueue::post(const BuildEvent& event) {
    {
        std::lock_guard lock(mutex_);
        events_.push_back(event);
    }
    ready_.notify_one();
}

size_t BuildEventQueue::deliverPending(ListenerList<BuildListener>& listeners) {
    std::deque<BuildEvent> taken;
    {
        std::lock_guard lock(mutex_);
        taken.swap(events_);
    }
    // Delivered outside the lock: listeners may take their time or post again.
    for (const BuildEvent& event : taken)
        DeliverBuildEvent(event, listeners);
    return taken.size();
}

size_t BuildEventQueue::waitAndDeliver(ListenerList<BuildListener>& listeners,
                                       std::chrono::milliseconds timeout) {
    {
        std::unique_lock lock(mutex_);
        ready_.wait_for(lock, timeout, [this] { return !events_.empty(); });
    }
    return deliverPending(listeners);
}

} // namespace tb
