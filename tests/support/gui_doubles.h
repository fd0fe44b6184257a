#pragma once

#include "ui/command_registry.h"
#include "ui/desktop_services.h"
#include "ui/file_dialogs.h"

#include <QStringList>
#include <QUrl>

#include <vector>

namespace tb::test {

// Stands in for the file choosers while alive: gives answer and records how it was asked.
struct AnsweringFileDialogs : ui::FileDialogs {
    AnsweringFileDialogs() { ui::SetFileDialogs(this); }
    ~AnsweringFileDialogs() override { ui::SetFileDialogs(nullptr); }
    QString openFile(QWidget*, const QString& title, const QString& filter,
                     const QString& folder) override {
        return asked = {title, filter, folder}, answer;
    }
    QString saveFile(QWidget*, const QString& title, const QString& filter, const QString& suffix,
                     const QString& start) override {
        return asked = {title, filter, suffix, start}, answer;
    }
    QString chooseFolder(QWidget*, const QString& title, const QString& text,
                         const QString& folder) override {
        return asked = {title, text, folder}, answer;
    }
    QString answer;
    QStringList asked;
};

// Records the commands that reach it; takes the one command given, or all.
struct CommandLog : ui::CommandHandler {
    explicit CommandLog(int takes = -1) : takes(takes) {}
    bool handleCommand(int id) override { return ids.push_back(id), takes < 0 || id == takes; }
    int takes;
    std::vector<int> ids;
};

// Stands in for the desktop's applications while alive: records every address handed to it
// and answers with opens (false: the desktop has no application for it).
struct RecordingDesktop {
    RecordingDesktop() {
        ui::SetOpenUrlHandler([this](const QUrl& url) { return opened.push_back(url), opens; });
    }
    ~RecordingDesktop() { ui::SetOpenUrlHandler(nullptr); }
    RecordingDesktop(const RecordingDesktop&) = delete;
    RecordingDesktop& operator=(const RecordingDesktop&) = delete;

    bool opens = true;
    std::vector<QUrl> opened;
};

} // namespace tb::test
