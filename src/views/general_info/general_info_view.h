#pragma once

#include "buildengine/build_events.h"
#include "views/view_page.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tb {

class LogoSection;
struct Package;

// "General Info": the package's name and vendor in the current language, the global vendor,
// version, UID, type and logo. Typed texts go into the package when the document commits
// edits (and when the view is left); the UID, the type and the logo change at once. After each
// successful build it raises the build number when the package asks for it, shown or not.
class GeneralInfoView : public ViewPage, public BuildListener {
    Q_OBJECT
public:
    GeneralInfoView(Application& app, ui::CommandRegistry& registry, QWidget* parent);
    ~GeneralInfoView() override;

    QLineEdit* nameBox() const { return name_; }
    QLineEdit* vendorBox() const { return vendor_; }
    QLineEdit* globalVendorBox() const { return globalVendor_; }
    // 0 major, 1 minor, 2 build.
    QLineEdit* versionBox(size_t part) const { return version_[part]; }
    QLabel* uidLabel() const { return uid_; }
    QPushButton* editUidButton() const { return editUid_; }
    QComboBox* typeBox() const { return type_; }
    LogoSection* logoSection() const { return logo_; }

    // "&Edit...": asks for the UID and changes it with the private folder's files.
    void editUid();

    void commitEdits() override;
    void packageChanged(const PackageChange& change) override;
    void buildSucceeded() override;

protected:
    void refresh() override;
    void deactivated() override;

private:
    void fillHeader(const Package& package);
    void chooseType(int index);

    QLineEdit* name_ = nullptr;
    std::array<QLineEdit*, 3> version_{};
    QLineEdit* vendor_ = nullptr;
    QLineEdit* globalVendor_ = nullptr;
    QLabel* uid_ = nullptr;
    QPushButton* editUid_ = nullptr;
    QComboBox* type_ = nullptr;
    LogoSection* logo_ = nullptr;
};

// The General Info view, a child of parent.
ViewPage* CreateGeneralInfoView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

} // namespace tb
