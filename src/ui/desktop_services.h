#pragma once

#include <QString>

#include <functional>

namespace tb::ui {

// Opens the desktop's file manager on the folder of path with that file selected; when no
// file manager answers the request, opens the folder alone. False when neither worked.
bool ShowFileInFileManager(const QString& path);

// Tests put their own function in place of the desktop (an empty one restores it), so that
// no file manager is started.
void SetShowFileHandler(std::function<bool(const QString& path)> handler);

} // namespace tb::ui
