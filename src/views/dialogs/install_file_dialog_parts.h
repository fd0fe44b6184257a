#pragma once

#include "editing/file_choices.h"
#include "ui/form_dialog.h"
#include "util/wide_text.h"

#include <QObject>

#include <optional>
#include <string_view>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QIcon;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Controls the install-file dialogs and the wizard share.
namespace tb {

class PackageDocument;

// The look of a file's type as the desktop knows it, by the name's extension: its icon and
// its description ("File type:").
QIcon FileTypeIcon(std::u16string_view fileName);
QString FileTypeDescription(std::u16string_view fileName);

// Adds a row to grid: a label in the first column, control beside it.
void AddFormRow(QGridLayout& grid, const QString& label, QWidget* control);
// A label showing text that can be selected and copied, not edited.
QLabel* NewValueLabel(const QString& text, QWidget* parent);

// The top row of the file dialogs: the icon of the file's type and box beside it.
QWidget* NewNameRow(std::u16string_view fileName, QWidget* box, QWidget* parent);

// "Drive:": "Let user choose" and A: to Z:, entry selected.
QComboBox* NewDriveBox(int entry, QWidget* parent);
// "Install type:" with its four entries, entry selected.
QComboBox* NewInstallTypeBox(int entry, QWidget* parent);
// "Wait for program to finish execution", on only while installType has a run entry.
QCheckBox* NewWaitBox(bool wait, QComboBox* installType, QWidget* parent);

// "Drive:", "Install type:" and the wait box as rows of a grid, each when asked for.
class InstallChoiceRows {
public:
    InstallChoiceRows(QGridLayout& grid, const InstallChoices& original, bool drive,
                      bool installType, QWidget* parent);

    QComboBox* driveBox() const { return drive_; }             // null when not asked for
    QComboBox* installTypeBox() const { return installType_; } // null when not asked for
    QCheckBox* waitBox() const { return wait_; }               // with the install type

    // What the rows choose; the original choices where a row is missing.
    InstallChoices choices() const;

private:
    InstallChoices original_;
    QComboBox* drive_ = nullptr;
    QComboBox* installType_ = nullptr;
    QCheckBox* wait_ = nullptr;
};

// The target of a file: the name box, and the folder with its icon and "Edit...", which
// opens Select Target Folder. The folder is shown by its device label when it has one.
class TargetControls : public QObject {
    Q_OBJECT
public:
    TargetControls(const PackageDocument& document, std::u16string_view target, QWidget* parent);

    QLineEdit* nameBox() const { return nameBox_; }
    QWidget* folderRow() const { return folderRow_; }
    QLabel* folderLabel() const { return folderLabel_; }
    QPushButton* editButton() const { return editButton_; }

    // The folder ends with a backslash (or is empty); the target is folder and name.
    const WideText& folder() const { return folder_; }
    WideText name() const;
    WideText target() const { return folder_ + name(); }
    void setTarget(std::u16string_view target);

    // The name's problem on OK: empty, or against the file-name rule.
    std::optional<ui::FormProblem> problem() const;

private:
    void setFolder(WideText folder);
    void chooseFolder();

    const PackageDocument& document_;
    WideText folder_;
    QLineEdit* nameBox_;
    QWidget* folderRow_;
    QLabel* folderLabel_;
    QPushButton* editButton_;
};

} // namespace tb
