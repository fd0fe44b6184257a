#include "ui/file_dialogs.h"

#include <QFileDialog>

namespace tb::ui {

namespace {

class QtFileDialogs : public FileDialogs {
public:
    QString openFile(QWidget* owner, const QString& title, const QString& filter,
                     const QString& folder) override {
        return QFileDialog::getOpenFileName(owner, title, folder, filter);
    }

    QString saveFile(QWidget* owner, const QString& title, const QString& filter,
                     const QString& defaultSuffix, const QString& initialPath) override {
        QFileDialog dialog(owner, title, initialPath, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(defaultSuffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().first();
    }

    QString chooseFolder(QWidget* owner, const QString& title, const QString& folder) override {
        return QFileDialog::getExistingDirectory(owner, title, folder);
    }
};

QtFileDialogs realDialogs;
FileDialogs* current = nullptr;

} // namespace

FileDialogs& CurrentFileDialogs() {
    return current ? *current : realDialogs;
}

void SetFileDialogs(FileDialogs* dialogs) {
    current = dialogs;
}

QString GetOpenFileName(QWidget* owner, const QString& title, const QString& filter,
                        const QString& folder) {
    return CurrentFileDialogs().openFile(owner, title, filter, folder);
}

QString GetSaveFileName(QWidget* owner, const QString& title, const QString& filter,
                        const QString& defaultSuffix, const QString& initialPath) {
    return CurrentFileDialogs().saveFile(owner, title, filter, defaultSuffix, initialPath);
}

QString GetExistingFolder(QWidget* owner, const QString& title, const QString& folder) {
    return CurrentFileDialogs().chooseFolder(owner, title, folder);
}

} // namespace tb::ui
