#include "views/view_commands.h"

#include <algorithm>

namespace tb {

ViewCommands::ViewCommands(ui::CommandRegistry& registry) : registry_(registry) {
    registry_.addHandler(this);
}

ViewCommands::~ViewCommands() {
    setActive(false);
    registry_.removeHandler(this);
}

void ViewCommands::claim(int id, Run run, Rule enabled) {
    auto same = [id](const Claim& claim) { return claim.id == id; };
    claims_.erase(std::remove_if(claims_.begin(), claims_.end(), same), claims_.end());
    claims_.push_back({id, std::move(run), std::move(enabled)});
    registry_.setEnabled(id, allowed(claims_.back()));
}

bool ViewCommands::owns(int id) const {
    return std::any_of(claims_.begin(), claims_.end(),
                       [id](const Claim& claim) { return claim.id == id; });
}

void ViewCommands::setActive(bool active) {
    if (active == active_)
        return;
    active_ = active;
    apply();
}

void ViewCommands::update() {
    if (active_)
        apply();
}

void ViewCommands::apply() {
    for (const Claim& claim : claims_)
        registry_.setEnabled(claim.id, allowed(claim));
}

bool ViewCommands::allowed(const Claim& claim) const {
    return active_ && claim.run && (!claim.enabled || claim.enabled());
}

bool ViewCommands::handleCommand(int id) {
    if (!active_)
        return false;
    for (const Claim& claim : claims_) {
        if (claim.id != id)
            continue;
        // The registry runs only enabled commands, but a rule may have changed since.
        if (!allowed(claim))
            return true;
        Run run = claim.run; // the handler may claim again and reallocate the list
        run();
        return true;
    }
    return false;
}

} // namespace tb
