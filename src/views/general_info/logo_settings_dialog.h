#pragma once

#include "model/package.h"
#include "ui/form_dialog.h"
#include "util/wide_text.h"

#include <optional>
#include <string_view>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace tb {

class UserFolderTree;

// "Edit Logo Settings": the MIME type override and where on the device the logo is kept.
// OK checks the MIME type (when overridden) and the target name (when saved on the device);
// result() then holds the logo with its new settings.
class LogoSettingsDialog : public ui::FormDialog {
    Q_OBJECT
public:
    // The folders must stay unchanged while the dialog lives.
    LogoSettingsDialog(QWidget* owner, const PackageLogo& logo, uint32_t packageUid,
                       const UserFolderTree& folders);

    const PackageLogo& result() const { return result_; }

    QCheckBox* overrideBox() const { return override_; }
    QLineEdit* mimeBox() const { return mime_; }
    QCheckBox* saveBox() const { return save_; }
    QLineEdit* nameBox() const { return name_; }
    QLabel* folderLabel() const { return folderLabel_; }
    QPushButton* selectFolderButton() const { return selectFolder_; }
    QComboBox* driveBox() const { return drive_; }
    // The device folder the logo goes to, without a final backslash.
    const WideText& targetFolder() const { return folder_; }

protected:
    bool apply() override;

private:
    // The message for a text, none when it may be taken.
    using TextRule = std::optional<std::u16string_view> (*)(std::u16string_view);
    // box is checked by rule only while enabler is checked.
    void addCheckWhileChecked(const QCheckBox* enabler, QLineEdit* box, TextRule rule);
    void setFolder(WideText folder);
    void updateEnabled();
    void selectFolder();

    PackageLogo result_;
    const uint32_t packageUid_;
    const UserFolderTree& folders_;
    WideText folder_;
    QList<QWidget*> targetControls_;

    QCheckBox* override_ = nullptr;
    QLineEdit* mime_ = nullptr;
    QCheckBox* save_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLabel* folderLabel_ = nullptr;
    QPushButton* selectFolder_ = nullptr;
    QComboBox* drive_ = nullptr;
};

// Shows the dialog; the logo with its new settings, none on Cancel.
std::optional<PackageLogo> EditLogoSettings(QWidget* owner, const PackageLogo& logo,
                                            uint32_t packageUid, const UserFolderTree& folders);

} // namespace tb
