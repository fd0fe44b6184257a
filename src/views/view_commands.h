#pragma once

#include "ui/command_registry.h"

#include <functional>
#include <vector>

namespace tb {

// The commands a view owns (tool bar buttons, Insert menu entries): the window only places
// them. They are on only while the view is active and its rule allows them, and they run the
// view's handler. Answers the registry for its commands from construction to destruction.
class ViewCommands : public ui::CommandHandler {
public:
    using Run = std::function<void()>;
    using Rule = std::function<bool()>;

    explicit ViewCommands(ui::CommandRegistry& registry);
    ~ViewCommands() override;
    ViewCommands(const ViewCommands&) = delete;
    ViewCommands& operator=(const ViewCommands&) = delete;

    // id becomes the view's and is off until the view is active. Without a rule it is on
    // whenever the view is active; without run it stays off (owned, nothing to do yet).
    void claim(int id, Run run = {}, Rule enabled = {});
    bool owns(int id) const;
    // For what the registry keeps beside the enabled state (a button's checked state).
    ui::CommandRegistry& registry() const { return registry_; }

    // The view was shown (its commands follow their rules) or left (they go off).
    void setActive(bool active);
    bool isActive() const { return active_; }
    // Reads the rules again, after what they depend on changed; nothing while inactive.
    void update();

    bool handleCommand(int id) override;

private:
    struct Claim {
        int id;
        Run run;
        Rule enabled;
    };
    bool allowed(const Claim& claim) const;
    void apply();

    ui::CommandRegistry& registry_;
    std::vector<Claim> claims_;
    bool active_ = false;
};

} // namespace tb
