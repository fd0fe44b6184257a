#include "ui/desktop_services.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>
#include <QStringList>

namespace tb::ui {

namespace {

std::function<bool(const QUrl&)> g_openHandler;
std::function<bool(const QString&)> g_showFileHandler;

// The freedesktop file manager interface; most file managers implement it.
bool ShowItemsOverDBus(const QString& path) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
    // Short: a file manager that has to be started answers quickly once activated.
    const QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

bool ShowOnDesktop(const QString& path) {
    if (ShowItemsOverDBus(path))
        return true;
    return OpenWithDesktop(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}

} // namespace

bool OpenWithDesktop(const QUrl& url) {
    return g_openHandler ? g_openHandler(url) : QDesktopServices::openUrl(url);
}

bool ShowFileInFileManager(const QString& path) {
    return g_showFileHandler ? g_showFileHandler(path) : ShowOnDesktop(path);
}

void SetOpenUrlHandler(std::function<bool(const QUrl&)> handler) {
    g_openHandler = std::move(handler);
}

void SetShowFileHandler(std::function<bool(const QString&)> handler) {
    g_showFileHandler = std::move(handler);
}

} // namespace tb::ui
