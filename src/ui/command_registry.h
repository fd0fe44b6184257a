#pragma once

#include "util/listener_list.h"

#include <QObject>
#include <QString>

#include <map>
#include <vector>

class QAction;

namespace tb::ui {

// Command identifiers shared by menus, tool bar, accelerators and the Welcome page.
namespace cmd {
constexpr int kFirst = 40001;
constexpr int kLast = 40163;
constexpr int kExit = 40002;
constexpr int kFirstView = 40029; // eight views: 40029..40036
constexpr int kAbout = 40038;
constexpr int kOptions = 40039;
constexpr int kOpen = 40040;
constexpr int kNew = 40043;
constexpr int kBuild = 40045;
constexpr int kSave = 40048;
constexpr int kOutputPane = 40050;
constexpr int kToolBar = 40052;
constexpr int kStatusBar = 40053;
constexpr int kClose = 40055;
// The Insert menu: the Designer's add actions.
constexpr int kInsertFile = 40070;
constexpr int kInsertLanguageFile = 40071;
constexpr int kInsertOptionList = 40072;
constexpr int kInsertOption = 40073;
constexpr int kInsertDialogNew = 40074;
constexpr int kInsertDialogFromFile = 40075;
constexpr int kInsertEmbeddedSis = 40076;
constexpr int kInsertLanguageEmbeddedSis = 40077;
constexpr int kInsertConditionBlock = 40078;
constexpr int kInsertNullFile = 40079;
constexpr int kTargetSimple = 40108;
constexpr int kTargetFull = 40109;
constexpr int kHelp = 40110;
constexpr int kMoveUp = 40112;
constexpr int kMoveDown = 40113;
constexpr int kFirstRecent = 40117; // five: 40117..40121
constexpr int kOpenOutputFolder = 40131;
constexpr int kHomePage = 40132;
constexpr int kSymbianSigned = 40133;
constexpr int kSymbianOrg = 40134;
constexpr int kFirstSdk = 40135; // twenty: 40135..40154
constexpr int kMaxSdks = 20;
constexpr int kFirstPlatform = 40155; // three
constexpr int kFirstTarget = 40158;   // two
constexpr int kExport = 40160;
} // namespace cmd

// Decides what a command does; the first handler that takes it ends the search.
class CommandHandler {
public:
    virtual ~CommandHandler() = default;
    virtual bool handleCommand(int id) = 0;
};

// The process's commands: their enabled state, their handlers in registration order, and one
// QAction per command that menus, tool bars and shortcuts share, so all of them run the same
// command and show the same state.
class CommandRegistry : public QObject {
    Q_OBJECT
public:
    explicit CommandRegistry(QObject* parent = nullptr);
    ~CommandRegistry() override;

    static bool isCommand(int id) { return id >= cmd::kFirst && id <= cmd::kLast; }

    void setEnabled(int id, bool enabled);
    bool isEnabled(int id) const;

    void addHandler(CommandHandler* handler);
    void removeHandler(CommandHandler* handler);

    // Offers id to the handlers in order; true when one took it. Disabled commands do nothing.
    bool execute(int id);
    // Runs id after the event being handled now (the caller may be destroyed by the command).
    void post(int id);

    // The action of a command, created on first use; text and shortcut are set by the caller.
    QAction* action(int id);

signals:
    void enabledChanged(int id, bool enabled);

private:
    std::vector<bool> enabled_;
    ListenerList<CommandHandler> handlers_;
    std::map<int, QAction*> actions_;
};

} // namespace tb::ui
