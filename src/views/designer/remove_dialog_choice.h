#pragma once

#include <QDialog>

class QPushButton;

namespace tb {

enum class DialogRemoval { Remove, Delete, Cancel };

// Asked before a dialog leaves the package: Remove takes it out of the package, Delete also
// deletes its text files, Cancel keeps it.
class RemoveDialogChoice : public QDialog {
    Q_OBJECT
public:
    explicit RemoveDialogChoice(QWidget* owner);

    // Modal, centred on its owner; closing the window cancels.
    DialogRemoval ask();

    QPushButton* removeButton() const { return remove_; }
    QPushButton* deleteButton() const { return delete_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    QPushButton* remove_;
    QPushButton* delete_;
    QPushButton* cancel_;
};

} // namespace tb
