#include "views/dialogs/launch_file_dialog.h"

#include "editing/file_checks.h"
#include "views/dialogs/file_dialog_fixture.h"
#include "views/dialogs/file_item_dialogs.h"
#include "views/dialogs/launch_file_dialog_parts.h"

namespace tb {
namespace {

using test::WhenModal;

class LaunchFileDialogTest : public test::FilePackageTest {
protected:
    void SetUp() override {
        open();
        readme = file<InstallFileItem>(u"docs\\readme.txt");
    }

    template <class Act> bool edit(Act act) {
        WhenModal<LaunchFileDialog> when(act);
        const bool ok = EditFileItem(nullptr, document, readme, kBy);
        EXPECT_TRUE(when.seen());
        return ok;
    }

    InstallFileItem* readme = nullptr;
};

TEST_F(LaunchFileDialogTest, OpensOnTheRunOptionWaitAndMimeType) {
    readme->runOption = RunOption::RB;
    edit([](LaunchFileDialog& dialog) {
        EXPECT_EQ(test::ComboTexts(dialog.launchBox()),
                  QStringList({"On installation", "On uninstallation",
                               "On both installation and uninstallation"}));
        EXPECT_EQ(dialog.launchBox()->currentIndex(), 2);
        EXPECT_FALSE(dialog.waitBox()->isChecked()) << "the file has no RW";
        dialog.reject();
    });

    // An empty MIME type leaves the box empty and off, the extension's default too; another
    // type than the default checks the override.
    const struct {
        const char16_t* mime;
        bool overridden;
    } cases[] = {{u"", false}, {u"text/plain", false}, {u"text/html", true}};
    for (const auto& c : cases) {
        readme->mimeType = c.mime;
        edit([&c](LaunchFileDialog& dialog) {
            EXPECT_EQ(dialog.mimeControls().mimeBox()->text(), ui::ToQString(c.mime));
            EXPECT_EQ(dialog.mimeControls().overrideBox()->isChecked(), c.overridden);
            EXPECT_EQ(dialog.mimeControls().mimeBox()->isEnabled(), c.overridden);
            dialog.reject();
        });
    }
    EXPECT_TRUE(log.changes.empty());
}

TEST_F(LaunchFileDialogTest, AnOverriddenMimeTypeMustBeValid) {
    EXPECT_TRUE(edit([this](LaunchFileDialog& dialog) {
        dialog.mimeControls().overrideBox()->setChecked(true);
        EXPECT_TRUE(dialog.mimeControls().mimeBox()->isEnabled());
        for (const char* refused : {"a/b", "text/", "/html", "te\"xt/x"}) {
            dialog.mimeControls().mimeBox()->setText(refused);
            dialog.okButton()->click();
            ASSERT_FALSE(boxes.shown.empty());
            EXPECT_EQ(boxes.shown.back().text, ui::ToQString(kInvalidMimeType)) << refused;
            EXPECT_EQ(dialog.focusWidget(), dialog.mimeControls().mimeBox());
        }
        dialog.mimeControls().mimeBox()->setText("text/x-readme");
        dialog.launchBox()->setCurrentIndex(1);
        dialog.waitBox()->setChecked(true);
        dialog.okButton()->click();
    }));
    EXPECT_EQ(boxes.shown.size(), 4u);
    EXPECT_EQ(readme->mimeType, u"text/x-readme");
    EXPECT_EQ(readme->runOption, RunOption::RR);
    EXPECT_TRUE(readme->runWaitEnd);
    EXPECT_EQ(log.changes.size(), 1u);
}

// Without the override the extension's type is stored; a file with no MIME type can still be
// confirmed without typing one.
TEST_F(LaunchFileDialogTest, WithoutOverrideTheDefaultIsStored) {
    for (const char16_t* mime : {u"text/html", u""}) {
        readme->mimeType = mime;
        edit([](LaunchFileDialog& dialog) {
            dialog.mimeControls().overrideBox()->setChecked(false);
            dialog.okButton()->click();
        });
        EXPECT_EQ(readme->mimeType, u"text/plain");
    }
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(log.changes.size(), 2u);
    edit([](LaunchFileDialog& dialog) { dialog.okButton()->click(); });
    EXPECT_EQ(log.changes.size(), 2u) << "nothing changed, nothing told";
}

} // namespace
} // namespace tb
