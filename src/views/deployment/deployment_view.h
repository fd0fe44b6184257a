#pragma once

#include "util/wide_text.h"
#include "views/view_page.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tb {

// "Deployment": where the .sis is built and what it is called, compression, the automatic
// build number, and signing. The controls go into the package when the document commits
// edits (and when the view is left); the "Create build in:" choice takes effect at once. Boxes
// refuse, as typed, the characters their field cannot hold.
class DeploymentView : public ViewPage {
    Q_OBJECT
public:
    DeploymentView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

    QRadioButton* projectFolderButton() const { return projectFolder_; }
    QRadioButton* customFolderButton() const { return customFolder_; }
    QLineEdit* folderBox() const { return folder_; }
    QPushButton* browseFolderButton() const { return browseFolder_; }
    QLineEdit* outputNameBox() const { return outputName_; }
    QCheckBox* compressBox() const { return compress_; }
    QCheckBox* autoIncrementBox() const { return autoIncrement_; }
    QCheckBox* signBox() const { return sign_; }
    QLineEdit* certificateBox() const { return certificate_; }
    QPushButton* browseCertificateButton() const { return browseCertificate_; }
    QLineEdit* privateKeyBox() const { return privateKey_; }
    QPushButton* browseKeyButton() const { return browseKey_; }
    QLineEdit* passphraseBox() const { return passphrase_; }

    // What the "Browse..." buttons do.
    void browseFolder();
    void browseCertificate();
    void browseKey();

    void commitEdits() override;
    void packageChanged(const PackageChange& change) override;

protected:
    void refresh() override;
    void deactivated() override;

private:
    WideText packageFolder() const;
    // "Project folder" or "Custom folder" chosen by the user.
    void chooseFolderKind();
    void updateEnabled();

    QRadioButton* projectFolder_ = nullptr;
    QRadioButton* customFolder_ = nullptr;
    QLineEdit* folder_ = nullptr;
    QPushButton* browseFolder_ = nullptr;
    QLineEdit* outputName_ = nullptr;
    QCheckBox* compress_ = nullptr;
    QCheckBox* autoIncrement_ = nullptr;
    QCheckBox* sign_ = nullptr;
    QLineEdit* certificate_ = nullptr;
    QPushButton* browseCertificate_ = nullptr;
    QLineEdit* privateKey_ = nullptr;
    QPushButton* browseKey_ = nullptr;
    QLineEdit* passphrase_ = nullptr;
    QList<QWidget*> signingControls_;
};

// The Deployment view, a child of parent.
ViewPage* CreateDeploymentView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

} // namespace tb
