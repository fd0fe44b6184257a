#include "ui/command_registry.h"

#include <QAction>
#include <QMetaObject>

namespace tb::ui {

CommandRegistry::CommandRegistry(QObject* parent)
    : QObject(parent), enabled_(cmd::kLast - cmd::kFirst + 1, true) {}

CommandRegistry::~CommandRegistry() = default;

void CommandRegistry::setEnabled(int id, bool enabled) {
    if (!isCommand(id))
        return;
    enabled_[size_t(id - cmd::kFirst)] = enabled;
    if (auto found = actions_.find(id); found != actions_.end())
        found->second->setEnabled(enabled);
    emit enabledChanged(id, enabled);
}

bool CommandRegistry::isEnabled(int id) const {
    return isCommand(id) && enabled_[size_t(id - cmd::kFirst)];
}

void CommandRegistry::addHandler(CommandHandler* handler) {
    handlers_.add(handler);
}

void CommandRegistry::removeHandler(CommandHandler* handler) {
    handlers_.remove(handler);
}

bool CommandRegistry::execute(int id) {
    if (!isEnabled(id))
        return false;
    return handlers_.notifyUntil(
        [id](CommandHandler& handler) { return handler.handleCommand(id); });
}

void CommandRegistry::post(int id) {
    QMetaObject::invokeMethod(this, [this, id] { execute(id); }, Qt::QueuedConnection);
}

QAction* CommandRegistry::action(int id) {
    if (auto found = actions_.find(id); found != actions_.end())
        return found->second;
    auto* action = new QAction(this);
    action->setEnabled(isEnabled(id));
    connect(action, &QAction::triggered, this, [this, id] { execute(id); });
    actions_.emplace(id, action);
    return action;
}

} // namespace tb::ui
