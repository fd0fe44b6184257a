#include "util/listener_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tb {
namespace {

// A listener that writes its name when called and, the first time, runs its action. It leaves
// the list when destroyed, as the program's listeners do.
struct Probe {
    char name;
    std::string& log;
    ListenerList<Probe>& owner;
    std::function<void()> action;

    ~Probe() { owner.remove(this); }
    void called() {
        log += name;
        if (auto act = std::exchange(action, nullptr))
            act();
    }
};

// A, B and C registered in this order; D waits outside the list.
struct Scene {
    ListenerList<Probe> list;
    std::string log;
    std::map<char, std::unique_ptr<Probe>> probes;

    Scene() {
        for (char name : {'A', 'B', 'C', 'D'})
            probes[name].reset(new Probe{name, log, list, nullptr});
        for (char name : {'A', 'B', 'C'})
            list.add(probes[name].get());
    }
    Probe* operator[](char name) { return probes[name].get(); }
    void notify() {
        list.notify([](Probe& p) { p.called(); });
    }
};

using Act = std::function<void(Scene&)>;

const auto removes = [](char name) -> Act { return [=](Scene& s) { s.list.remove(s[name]); }; };
const auto adds = [](char name) -> Act { return [=](Scene& s) { s.list.add(s[name]); }; };
const auto destroys = [](char name) -> Act { return [=](Scene& s) { s.probes.erase(name); }; };
const auto both = [](Act a, Act b) -> Act { return [=](Scene& s) { a(s), b(s); }; };
const Act notifies = [](Scene& s) { s.notify(); };

TEST(ListenerListTest, ChangesMadeByListenersWhileTheyAreTold) {
    const struct {
        const char* what;
        std::vector<std::pair<char, Act>> acts; // what a listener does when first called
        std::string calls;
    } cases[] = {
        {"nothing changes", {}, "ABC|ABC|"},
        {"A removes itself", {{'A', removes('A')}}, "ABC|BC|"},
        {"A removes B", {{'A', removes('B')}}, "AC|AC|"},
        {"B removes A, already told", {{'B', removes('A')}}, "ABC|BC|"},
        {"B destroys itself", {{'B', destroys('B')}}, "ABC|AC|"},
        {"A adds D", {{'A', adds('D')}}, "ABC|ABCD|"},
        {"A removes B and adds it again", {{'A', both(removes('B'), adds('B'))}}, "AC|ACB|"},
        {"A adds D and removes it", {{'A', both(adds('D'), removes('D'))}}, "ABC|ABC|"},
        {"A notifies again", {{'A', notifies}}, "AABCBC|ABC|"},
        {"A notifies again, where B removes C", {{'A', notifies}, {'B', removes('C')}}, "AABB|AB|"},
        {"A removes null and a stranger",
         {{'A', both([](Scene& s) { s.list.remove(nullptr); }, removes('D'))}},
         "ABC|ABC|"},
        {"A adds null and B again",
         {{'A', both([](Scene& s) { s.list.add(nullptr); }, adds('B'))}},
         "ABC|ABC|"},
    };
    for (const auto& c : cases) {
        Scene scene;
        for (const auto& [name, act] : c.acts)
            scene[name]->action = [&scene, act] { act(scene); };
        for (int round = 0; round < 2; ++round, scene.log += '|')
            scene.notify();
        EXPECT_EQ(scene.log, c.calls) << c.what;
        // The second round calls every listener left, once.
        EXPECT_EQ(scene.list.size(), c.calls.size() - c.calls.find('|') - 2) << c.what;
    }
}

} // namespace
} // namespace tb
