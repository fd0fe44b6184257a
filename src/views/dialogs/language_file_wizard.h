#pragma once

#include "editing/file_choices.h"
#include "model/install_item.h"

#include <QWizard>

#include <memory>

class QCheckBox;
class QComboBox;
class QWidget;

namespace tb {

class LanguageFileSources;
class PackageDocument;
class TargetControls;

// "Install Language Dependent File Wizard": a new language-dependent file in four pages:
// target name, saving location, source files, install options.
class LanguageFileWizard : public QWizard {
    Q_OBJECT
public:
    enum Page { NamePage, LocationPage, SourcesPage, OptionsPage };

    LanguageFileWizard(QWidget* owner, PackageDocument& document);

    TargetControls& targetControls() const { return *target_; }
    LanguageFileSources& sourceList() const { return *sources_; }
    QComboBox* driveBox() const { return drive_; }
    QComboBox* installTypeBox() const { return installType_; }
    QCheckBox* waitBox() const { return wait_; }

    // Modal, centred on its owner: the new item after Finish, null on Cancel.
    std::unique_ptr<InstallLanguageFileItem> run();

    // Leaving a page: the name is checked (and the target becomes the name's default) and
    // every language needs a source; a refused page has said why.
    bool validateCurrentPage() override;

    // What Finish stores.
    std::unique_ptr<InstallLanguageFileItem> item() const;

private:
    PackageDocument& document_;
    TargetControls* target_;
    LanguageFileSources* sources_;
    QComboBox* drive_;
    QComboBox* installType_;
    QCheckBox* wait_;
};

} // namespace tb
