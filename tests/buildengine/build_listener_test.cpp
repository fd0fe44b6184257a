#include "buildengine/build_controller.h"
#include "buildengine/build_event_queue.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <map>
#include <memory>

namespace tb {
namespace {

// Writes its name in upper case for build started, in lower case for a stage; leaves the
// controller when destroyed, as the window's listeners do.
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

struct Wiring {
    const char* what;
    char actor;
    std::function<void(BuildController&, std::map<char, std::unique_ptr<Watcher>>&)> act;
    const char* heard;
};

TEST(BuildListenerTest, ListenersComingAndGoingWhileABuildEventIsDelivered) {
    using Watchers = std::map<char, std::unique_ptr<Watcher>>;
    const Wiring cases[] = {
        {"A removes itself", 'A',
         [](BuildController& c, Watchers& w) { c.removeListener(w['A'].get()); }, "ABCbc"},
        {"B removes A", 'B',
         [](BuildController& c, Watchers& w) { c.removeListener(w['A'].get()); }, "ABCbc"},
        {"A removes itself and comes back", 'A',
         [](BuildController& c, Watchers& w) {
             c.removeListener(w['A'].get());
             c.addListener(w['A'].get());
         },
         "ABCbca"},
        {"A destroys C", 'A', [](BuildController&, Watchers& w) { w.erase('C'); }, "ABab"},
    };
    for (const Wiring& c : cases) {
        BuildEventQueue queue;
        BuildController controller(queue, "");
        std::string log;
        Watchers watchers;
        for (char name : {'A', 'B', 'C'})
            watchers[name] = std::make_unique<Watcher>(controller, log, name);
        watchers[c.actor]->onStarted = [&] { c.act(controller, watchers); };
        queue.post({BuildEventCode::Started});
        queue.post({BuildEventCode::Stage, 1});
        EXPECT_EQ(queue.deliverPending(controller.listeners()), 2u) << c.what;
        EXPECT_EQ(log, c.heard) << c.what;
    }
}

} // namespace
} // namespace tb
