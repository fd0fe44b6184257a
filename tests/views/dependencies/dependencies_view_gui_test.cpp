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
    // Which of the three fixed and six range version boxes are enabled.
    static std::vector<bool> versionBoxesEnabled(DependencyDialog& d) {
        std::vector<bool> on;
        for (size_t i = 0; i < 9; ++i)
            on.push_back((i < 3 ? d.fixedBox(i) : d.rangeBox(i - 3))->isEnabled());
        return on;
    }
};

// Devices come before packages; the version texts are DependencyTextsTest's.
TEST_F(DependenciesViewTest, RowsShowDevicesThenPackagesWithTheirVersionsInTheShownLanguage) {
    EXPECT_EQ(table(), (Table{{"S60", "0.0.0", "Device / Platform"},
                              {"Qt", "1.0.*", "Package"},
                              {"Lib", "1.0.0 - 2.*.*", "Package"}}));
    document.setCurrentLanguage(1);
    EXPECT_EQ(table().at(2).front(), "Lib FR");

    removeRows({0, 2}, ui::MessageAnswer::Yes); // one of each list
    EXPECT_EQ(table(), (Table{{"Qt FR", "1.0.*", "Package"}}));
    EXPECT_EQ(package().deviceDependencies.size() + package().packageDependencies.size(), 1u);
}

// The version controls follow the type and the chosen form; a device or platform added in the
// Add form gets no version, whatever its boxes held. What each box refuses is
// DependencyTextsTest's.
TEST_F(DependenciesViewTest, AddFormEnablesVersionsForPackagesOnly) {
    using On = std::vector<bool>;
    add([&](DependencyDialog& d) {
        EXPECT_EQ(versionBoxesEnabled(d), On(9, false));
        d.typeBox()->setCurrentIndex(1);
        EXPECT_EQ(versionBoxesEnabled(d), (On{1, 1, 1, 0, 0, 0, 0, 0, 0}));
        d.nameBox()->setText("S60 5th");
        d.uidBox()->setText("0x");
        EXPECT_FALSE(d.submit());
        d.rangeRadio()->setChecked(true);
        EXPECT_EQ(versionBoxesEnabled(d), (On{0, 0, 0, 1, 1, 1, 1, 1, 1}));
        d.rangeBox(0)->setText("7");

        d.typeBox()->setCurrentIndex(0);
        EXPECT_EQ(versionBoxesEnabled(d), On(9, false));
        EXPECT_FALSE(d.fixedRadio()->isEnabled() || d.rangeRadio()->isEnabled());
        d.uidBox()->setText("0x1028315F");
        EXPECT_TRUE(d.submit());
    });
    EXPECT_EQ(shownTexts(), std::vector<QString>{"Invalid UID. The UID must be specified in "
                                                 "hexadecimal or normal form."});
    EXPECT_EQ(table().at(1), (QStringList{"S60 5th", "*.*.*", "Device / Platform"}));
    EXPECT_FALSE(package().deviceDependencies.at(1)->isRange);
    EXPECT_EQ(view->list()->selectedRows(), QList<int>{1}) << "the new row is selected";
}

TEST_F(DependenciesViewTest, EditFormsShowTheDependencyAndRenameOnlyTheShownLanguage) {
    document.setCurrentLanguage(1);
    edit(2, [&](DependencyDialog& d) {
        EXPECT_EQ(d.typeBox(), nullptr);
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
