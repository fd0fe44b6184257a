#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace tb {

// The observers of one subject, called in the order they were added. The observers may change
// the list while they are being told: one added during a notification is first called by the
// next notification; one removed (or destroyed, having removed itself) is not called again,
// not even later in the running notification; every other one is called exactly once.
// Notifications may nest. Not thread-safe: one thread at a time uses a list (the user-interface
// thread, but for the build thread's own lists). The list must outlive its notifications.
template <class T> class ListenerList {
public:
    ListenerList() = default;
    ListenerList(const ListenerList&) = delete;
    ListenerList& operator=(const ListenerList&) = delete;

    // A null listener, or one already in the list, is ignored.
    void add(T* listener) {
        if (listener && !contains(listener))
            slots_.push_back(listener);
    }

    // A null listener, or one not in the list, is ignored.
    void remove(const T* listener) {
        auto found = std::find(slots_.begin(), slots_.end(), listener);
        if (!listener || found == slots_.end())
            return;
        if (depth_ == 0) {
            slots_.erase(found);
            return;
        }
        // Running notifications walk the slots by position: keep the positions.
        *found = nullptr;
        holes_ = true;
    }

    bool contains(const T* listener) const {
        return listener && std::find(slots_.begin(), slots_.end(), listener) != slots_.end();
    }

    size_t size() const {
        return size_t(std::count_if(slots_.begin(), slots_.end(), [](T* l) { return l; }));
    }
    bool empty() const { return size() == 0; }

    // Calls call(T&) for every listener, in order.
    template <class Call> void notify(Call&& call) {
        notifyUntil([&call](T& listener) {
            call(listener);
            return false;
        });
    }

    // The same, ending at the first call that returns true; true when one did.
    template <class Call> bool notifyUntil(Call&& call) {
        Round round(*this);
        // Listeners added from here on lie past end and wait for the next notification.
        const size_t end = slots_.size();
        for (size_t i = 0; i < end; ++i) {
            if (T* listener = slots_[i]; listener && call(*listener))
                return true;
        }
        return false;
    }

private:
    // Counts the running notifications; the last one to end closes the gaps removals left.
    class Round {
    public:
        explicit Round(ListenerList& list) : list_(list) { ++list_.depth_; }
        ~Round() {
            if (--list_.depth_ == 0 && list_.holes_) {
                std::erase(list_.slots_, nullptr);
                list_.holes_ = false;
            }
        }
        Round(const Round&) = delete;
        Round& operator=(const Round&) = delete;

    private:
        ListenerList& list_;
    };

    std::vector<T*> slots_; // null: removed while a notification ran
    size_t depth_ = 0;
    bool holes_ = false;
};

} // namespace tb
