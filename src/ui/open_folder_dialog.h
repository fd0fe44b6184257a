#pragma once

#include "ui/message_box.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace tb::ui {

// An icon beside a word-wrapped text, as one row of a dialog.
QWidget* CreateIconTextRow(QWidget* parent, MessageIcon icon, const QString& text,
                           QLabel** textLabel = nullptr);

// Reports a file just written, with "Open Folder" and "Close": the base of the dialogs after
// a build and after an export.
class OpenFolderDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClose = 0;
    static constexpr int kOpenFolder = 1;

    OpenFolderDialog(QWidget* owner, const QString& title, const QString& text);

    // Modal and centred on the owner: kOpenFolder or kClose (also for Escape).
    int run();

    QLabel* textLabel() const { return text_; }
    QPushButton* openFolderButton() const { return openFolder_; }
    QPushButton* closeButton() const { return close_; }

protected:
    // Where subclasses put rows of their own, below the text.
    QVBoxLayout* contentLayout() const { return content_; }

private:
    QLabel* text_ = nullptr;
    QVBoxLayout* content_ = nullptr;
    QPushButton* openFolder_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace tb::ui
