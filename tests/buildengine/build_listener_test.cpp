#include "buildengine/build_controller.h"
#include "buildengine/build_event_queue.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <map>
#include <memory>

namespace tb {
namespace {

struct Watcher : BuildListener {
    Watcher(BuildController& c, std::string& l, char n) : controller(c), log(l), name(n) {
        controller.addListener(this);
    }
    ~Watcher() override { controller.removeListener(this); }
    void buildStarted() override {
        log += name;
        if (auto act = std::exchange(onStarted, nullptr))
            act();
    }
    void buildStage(int32_t) override { log += char(std::tolower(name)); }

    BuildController& controller;
    std::string& log;
    char name;
    std::function<void()> onStarted;
};

// The queue delivers through the controller's list, so the list's rules (ListenerListTest)
// hold for build events too: a listener destroyed by another is never called again.
TEST(BuildListenerTest, ListenerDestroyedWhileABuildEventIsDelivered) {
    BuildEventQueue queue;
    BuildController controller(queue, "");
    std::string log;
    std::map<char, std::unique_ptr<Watcher>> watchers;
    for (char name : {'A', 'B', 'C'})
        watchers[name] = std::make_unique<Watcher>(controller, log, name);
    watchers['A']->onStarted = [&] { watchers.erase('C'); };
    queue.post({BuildEventCode::Started});
    queue.post({BuildEventCode::Stage, 1});
    EXPECT_EQ(queue.deliverPending(controller.listeners()), 2u);
    EXPECT_EQ(log, "ABab");
}

} // namespace
} // namespace tb
