#pragma once

#include "document/package_document.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace tb {

class Application;

// The New Package dialog: collects and checks what a new package needs. When a package is
// open it asks whether to save it first; the caller then closes it without asking again and
// creates the new one. None when the user cancelled.
std::optional<NewPackageRequest> RunNewPackageDialog(QWidget* owner, Application& app);

class NewPackageDialog : public QDialog {
    Q_OBJECT
public:
    NewPackageDialog(QWidget* owner, Application& app);

    // What Create accepted.
    const NewPackageRequest& request() const { return request_; }

    // Selects the device tree item of a platform table index (indexes it does not offer: none).
    void selectDevice(int32_t index);

    QListWidget* typeList() const { return typeList_; }
    QPlainTextEdit* descriptionField() const { return description_; }
    QTreeWidget* deviceTree() const { return deviceTree_; }
    QLineEdit* nameEdit() const { return nameEdit_; }
    QLineEdit* locationEdit() const { return locationEdit_; }
    QCheckBox* createDirectoryBox() const { return createDirectory_; }
    QPushButton* browseButton() const { return browse_; }
    QPushButton* languagesButton() const { return languagesButton_; }
    QPushButton* createButton() const { return create_; }

private:
    void buildDeviceTree();
    void updateCreateButton();
    void browse();
    void editLanguages();
    NewPackageRequest collect() const;
    void tryCreate();
    void refuse(std::u16string_view message, QWidget* offending);

    Application& app_;
    std::vector<uint32_t> languages_{1};
    size_t currentLanguage_ = 0;
    NewPackageRequest request_;

    QListWidget* typeList_;
    QPlainTextEdit* description_;
    QTreeWidget* deviceTree_;
    QLineEdit* nameEdit_;
    QLineEdit* locationEdit_;
    QPushButton* browse_;
    QCheckBox* createDirectory_;
    QPushButton* languagesButton_;
    QPushButton* create_;
};

} // namespace tb
