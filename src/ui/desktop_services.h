#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace tb::ui {

// Hands url (a web address, or a local file or folder) to the desktop's default application
// for it. False when the desktop has no application to start for it.
bool OpenWithDesktop(const QUrl& url);

// Opens the desktop's file manager on the folder of path with that file selected; when no
// file manager answers the request, opens the folder alone. False when neither worked.
bool ShowFileInFileManager(const QString& path);

// Tests put their own functions in place of the desktop (an empty one restores it), so that
// no application is started.
void SetOpenUrlHandler(std::function<bool(const QUrl& url)> handler);
void SetShowFileHandler(std::function<bool(const QString& path)> handler);

} // namespace tb::ui
