#pragma once

#include "ui/open_folder_dialog.h"
#include "util/wide_text.h"

#include <string>

namespace tb {

class AppSettings;
struct Package;
namespace ui {
class DontShowAgainBox;
}

// Tells where the package was built to, warns when it is not signed, and offers to open the
// folder. "Don't show this again" changes showBuildCompleteDialog at once.
class BuildCompletedDialog : public ui::OpenFolderDialog {
    Q_OBJECT
public:
    // packageFilePath: the package file, whose folder an empty output folder means.
    BuildCompletedDialog(QWidget* owner, AppSettings& settings, const Package& package,
                         const std::string& packageFilePath);

    QWidget* unsignedWarning() const { return warning_; }
    ui::DontShowAgainBox* dontShowAgainBox() const { return dontShow_; }

private:
    QWidget* warning_ = nullptr;
    ui::DontShowAgainBox* dontShow_ = nullptr;
};

} // namespace tb
