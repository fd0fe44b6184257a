#include "views/dependencies/dependencies_view.h"
#include "views/dependencies/dependency_dialog.h"
#include "views/list_editor.h"
#include "views/list_view_page.h"
#include "views/view_fixture.h"

#include <QLabel>
#include <QRadioButton>

namespace tb::test {
namespace {

class DependenciesViewTest
    : public PackageViewTest<ListViewPage, DependencyDialog, CreateDependenciesView> {
protected:
    void SetUp() override {
        open("&EN,FR\n#{\"App\",\"App FR\"},(0xA0001234),1,0,0\n"
             "[0x101F7961],0,0,0,{\"S60\",\"S60 FR\"}\n"
             "(0x2000AFDE),1,0,*,{\"Qt\",\"Qt FR\"}\n"
             "(0x20001111),1,0,0~2,*,*,{\"Lib\",\"Lib FR\"}\n");
    }
};

// Devices come before packages; the version texts are DependencyTextsTest's.
TEST_F(DependenciesViewTest, RowsShowDevicesThenPackagesWithTheirVersionsInTheShownLanguage) {
    EXPECT_EQ(table(), (Table{{"S60", "0.0.0", "Device / Platform"},
                              {"Qt", "1.0.*", "Package"},
                              {"Lib", "1.0.0 - 2.*.*", "Package"}}));
    document.setCurrentLanguage(1);
    removeRows({0, 2}, ui::MessageAnswer::Yes); // one of each list
    EXPECT_EQ(table(), (Table{{"Qt FR", "1.0.*", "Package"}}));
}

// The version controls follow the type and the chosen form; a device or platform added in the
// Add form gets no version, whatever its boxes held. What each box refuses is
// DependencyTextsTest's.
TEST_F(DependenciesViewTest, AddFormEnablesVersionsForPackagesOnly) {
    // Whether the last fixed and the last range version box are enabled.
    const auto versionsOn = [](DependencyDialog& d) {
        return std::pair(d.fixedBox(2)->isEnabled(), d.rangeBox(5)->isEnabled());
    };
    add([&](DependencyDialog& d) {
        EXPECT_EQ(versionsOn(d), std::pair(false, false));
        d.typeBox()->setCurrentIndex(1);
        EXPECT_EQ(versionsOn(d), std::pair(true, false));
        d.nameBox()->setText("S60 5th");
        d.uidBox()->setText("0x");
        EXPECT_FALSE(d.submit());
        d.rangeRadio()->setChecked(true);
        EXPECT_EQ(versionsOn(d), std::pair(false, true));
        d.rangeBox(0)->setText("7");

        d.typeBox()->setCurrentIndex(0);
        d.uidBox()->setText("0x1028315F");
        EXPECT_TRUE(d.submit());
    });
    EXPECT_EQ(shownTexts(), std::vector<QString>{"Invalid UID. The UID must be specified in "
                                                 "hexadecimal or normal form."});
    EXPECT_EQ(table().at(1), (QStringList{"S60 5th", "*.*.*", "Device / Platform"}));
}

TEST_F(DependenciesViewTest, EditFormsShowTheDependencyAndRenameOnlyTheShownLanguage) {
    document.setCurrentLanguage(1);
    edit(2, [&](DependencyDialog& d) {
        EXPECT_EQ(d.typeLabel()->text(), "Package");
        EXPECT_EQ(d.nameBox()->text(), "Lib FR");
        EXPECT_TRUE(d.rangeRadio()->isChecked());
        EXPECT_EQ(d.rangeBox(3)->text(), "2");
        d.nameBox()->setText("Bibliotheque");
        d.fixedRadio()->setChecked(true);
        d.fixedBox(0)->setText("3");
        EXPECT_TRUE(d.submit());
    });
    const Dependency& lib = *package().packageDependencies.at(1);
    EXPECT_EQ(lib.names, (LocalizedText{u"Lib", u"Bibliotheque"}));
    EXPECT_EQ(table().at(2), (QStringList{"Bibliotheque", "3.*.*", "Package"}));
    EXPECT_EQ(lib.toMajor, kAnyVersion) << "the fixed form makes the to-version wildcards";
}

} // namespace
} // namespace tb::test
