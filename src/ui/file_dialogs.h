#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace tb::ui {

// Every file and folder chooser of the program goes through the current FileDialogs, so
// tests can answer them. An empty result means the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // filter in Qt's form, e.g. "Symbian Package (*.pkg)".
    virtual QString openFile(QWidget* owner, const QString& title, const QString& filter,
                             const QString& folder) = 0;
    // Several files may be chosen; in the order the dialog gives them. By default one.
    virtual QStringList openFiles(QWidget* owner, const QString& title, const QString& filter,
                                  const QString& folder);
    virtual QString saveFile(QWidget* owner, const QString& title, const QString& filter,
                             const QString& defaultSuffix, const QString& initialPath) = 0;
    // text explains what the folder is for.
    virtual QString chooseFolder(QWidget* owner, const QString& title, const QString& text,
                                 const QString& folder) = 0;
};

FileDialogs& CurrentFileDialogs();
// Installs dialogs (not owned) for the rest of the run; null goes back to the real ones.
void SetFileDialogs(FileDialogs* dialogs);

QString GetOpenFileName(QWidget* owner, const QString& title, const QString& filter,
                        const QString& folder = {});
QStringList GetOpenFileNames(QWidget* owner, const QString& title, const QString& filter,
                             const QString& folder = {});
QString GetSaveFileName(QWidget* owner, const QString& title, const QString& filter,
                        const QString& defaultSuffix = {}, const QString& initialPath = {});
QString GetExistingFolder(QWidget* owner, const QString& title, const QString& text,
                          const QString& folder = {});

} // namespace tb::ui
