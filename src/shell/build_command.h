#pragma once

#include <functional>

class QWidget;

namespace tb {

class Application;

// The Build command: builds the open package while the progress dialog runs, then reports the
// result: the Build Completed dialog (unless switched off), or the failure message followed by
// showOutputPane. A cancelled build ends without a message.
void RunBuildCommand(QWidget* owner, Application& app, const std::function<void()>& showOutputPane);

} // namespace tb
