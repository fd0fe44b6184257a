#include "ui/file_dialogs.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>

namespace tb::ui {

namespace {

// "*.*" means every file on Windows; here it would hide the files without an extension.
QString hostFilter(QString filter) {
    return filter.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
}

class QtFileDialogs : public FileDialogs {
public:
    QString openFile(QWidget* owner, const QString& title, const QString& filter,
                     const QString& folder) override {
        return QFileDialog::getOpenFileName(owner, title, folder, hostFilter(filter));
    }

    QStringList openFiles(QWidget* owner, const QString& title, const QString& filter,
                          const QString& folder) override {
        return QFileDialog::getOpenFileNames(owner, title, folder, hostFilter(filter));
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

    QString chooseFolder(QWidget* owner, const QString& title, const QString& text,
                         const QString& folder) override {
        QFileDialog dialog(owner, title, folder);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        // The platform dialogs have no place for an explanation; Qt's own has.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
            grid->addWidget(new QLabel(text, &dialog), grid->rowCount(), 0, 1, -1);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().first();
    }
};

QtFileDialogs realDialogs;
FileDialogs* current = nullptr;

} // namespace

QStringList FileDialogs::openFiles(QWidget* owner, const QString& title, const QString& filter,
                                   const QString& folder) {
    QString file = openFile(owner, title, filter, folder);
    return file.isEmpty() ? QStringList() : QStringList{file};
}

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

QStringList GetOpenFileNames(QWidget* owner, const QString& title, const QString& filter,
                             const QString& folder) {
    return CurrentFileDialogs().openFiles(owner, title, filter, folder);
}

QString GetSaveFileName(QWidget* owner, const QString& title, const QString& filter,
                        const QString& defaultSuffix, const QString& initialPath) {
    return CurrentFileDialogs().saveFile(owner, title, filter, defaultSuffix, initialPath);
}

QString GetExistingFolder(QWidget* owner, const QString& title, const QString& text,
                          const QString& folder) {
    return CurrentFileDialogs().chooseFolder(owner, title, text, folder);
}

} // namespace tb::ui
