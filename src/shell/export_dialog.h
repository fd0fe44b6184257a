#pragma once

#include "buildengine/build_configuration.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tb {

class Application;

// "Export Package to Standard PKG File": the SDK, platform and target to resolve the source
// paths for, and the absolute path of the file to write. Closes only with both checked.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    // Starts with the current configuration and a file name for it in the package's folder.
    ExportDialog(Application& app, QWidget* owner);

    // Modal; true when the user chose Export with a valid output path.
    bool run();

    size_t sdkIndex() const;
    BuildPlatform platform() const;
    BuildTarget target() const;
    QString outputPath() const;

    QComboBox* sdkList() const { return sdks_; }
    QComboBox* platformList() const { return platforms_; }
    QComboBox* targetList() const { return targets_; }
    QLineEdit* outputField() const { return output_; }
    QPushButton* browseButton() const { return browse_; }
    QPushButton* exportButton() const { return export_; }

private:
    // package base name_platform_target.pkg, in the folder of the current output path.
    void rebuildFileName();
    void browse();
    void tryExport();

    Application& app_;
    QComboBox* sdks_ = nullptr;
    QComboBox* platforms_ = nullptr;
    QComboBox* targets_ = nullptr;
    QLineEdit* output_ = nullptr;
    QPushButton* browse_ = nullptr;
    QPushButton* export_ = nullptr;
};

// File > Export > Standard PKG File: the dialog, the export and its report.
void RunExportCommand(QWidget* owner, Application& app);

} // namespace tb
