#include "views/dependencies/dependencies_view.h"
#include "views/dependencies/dependency_dialog.h"
#include "views/list_editor.h"
#include "views/list_view_page.h"
#include "views/localization/package_view_fixture.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QRadioButton>
#include <QTreeView>

namespace tb {
namespace {

using ui::MessageAnswer;

constexpr const char* kPackage = R"(&EN,FR
#{"App","App FR"},(0xA0001234),1,0,0
%{"Vendor","Vendeur"}
:"Vendor"
[0x101F7961],0,0,0,{"S60","S60 FR"}
(0x2000AFDE),1,0,*,{"Qt","Qt FR"}
(0x20001111),1,0,0~2,*,*,{"Lib","Lib FR"}
)";

class DependenciesViewTest : public test::PackageViewTest<ListViewPage, DependencyDialog> {
protected:
    ListViewPage* create() override {
        return static_cast<ListViewPage*>(CreateDependenciesView(app, registry, nullptr));
    }
    void SetUp() override { open(kPackage); }

    QAbstractItemModel& rows() const { return *view->list()->model(); }
    QStringList cells(int row) const { return test::RowCells(rows(), row); }

    static std::vector<bool> versionBoxesEnabled(DependencyDialog& d) {
        std::vector<bool> on;
        for (size_t i = 0; i < 3; ++i)
            on.push_back(d.fixedBox(i)->isEnabled());
        for (size_t i = 0; i < 6; ++i)
            on.push_back(d.rangeBox(i)->isEnabled());
        return on;
    }
};

TEST_F(DependenciesViewTest, RowsShowDevicesThenPackagesWithTheirVersionsInTheShownLanguage) {
    EXPECT_EQ(test::HeaderTexts(rows()), (QStringList{"Name", "Version", "Type"}));
    ASSERT_EQ(rows().rowCount(), 3);
    EXPECT_EQ(cells(0), (QStringList{"S60", "0.0.0", "Device / Platform"}));
    EXPECT_EQ(cells(1), (QStringList{"Qt", "1.0.*", "Package"}));
    EXPECT_EQ(cells(2), (QStringList{"Lib", "1.0.0 - 2.*.*", "Package"}));
    document.setCurrentLanguage(1);
    EXPECT_EQ(cells(2).front(), "Lib FR");
}

// The version controls follow the type and the chosen form; a device or platform added in the
// Add form gets no version, whatever its boxes held.
TEST_F(DependenciesViewTest, AddFormEnablesVersionsForPackagesOnly) {
    using On = std::vector<bool>;
    add([&](DependencyDialog& d) {
        EXPECT_FALSE(d.fixedRadio()->isEnabled() || d.rangeRadio()->isEnabled());
        EXPECT_EQ(versionBoxesEnabled(d), On(9, false));

        d.typeBox()->setCurrentIndex(1);
        EXPECT_TRUE(d.fixedRadio()->isEnabled() && d.rangeRadio()->isEnabled());
        EXPECT_EQ(versionBoxesEnabled(d), (On{1, 1, 1, 0, 0, 0, 0, 0, 0}));
        d.rangeRadio()->setChecked(true);
        EXPECT_EQ(versionBoxesEnabled(d), (On{0, 0, 0, 1, 1, 1, 1, 1, 1}));
        d.rangeBox(0)->setText("7");

        d.typeBox()->setCurrentIndex(0);
        EXPECT_EQ(versionBoxesEnabled(d), On(9, false));
        d.nameBox()->setText("S60 5th");
        d.uidBox()->setText("0x1028315F");
        EXPECT_TRUE(d.submit());
    });
    ASSERT_EQ(rows().rowCount(), 4);
    EXPECT_EQ(cells(1), (QStringList{"S60 5th", "*.*.*", "Device / Platform"}));
    const Dependency& added = *package().deviceDependencies.at(1);
    EXPECT_EQ(added.uid, 0x1028315Fu);
    EXPECT_FALSE(added.isRange);
    EXPECT_EQ(view->list()->selectedRows(), QList<int>{1}) << "the new row is selected";
}

// What each box refuses is DependencyTextsTest's and NumberBoxesTest's; here the dialog shows
// the message and puts the focus on the box at fault. Cancel adds nothing.
TEST_F(DependenciesViewTest, TheDialogRefusesWhatAFieldCannotHold) {
    add([&](DependencyDialog& d) { d.reject(); });
    EXPECT_EQ(rows().rowCount(), 3);
    add([&](DependencyDialog& d) {
        d.typeBox()->setCurrentIndex(1);
        d.nameBox()->setText("A \"quoted\" name");
        EXPECT_FALSE(d.submit());
        EXPECT_EQ(d.focusWidget(), d.nameBox());
        d.nameBox()->setText("Lib2");
        d.uidBox()->setText("0x");
        EXPECT_FALSE(d.submit());
        EXPECT_EQ(d.focusWidget(), d.uidBox());
        d.uidBox()->setText("536879650");
        d.fixedBox(1)->setText("2147483648");
        EXPECT_FALSE(d.submit());
        EXPECT_EQ(d.focusWidget(), d.fixedBox(1));
        d.fixedBox(0)->setText("2147483647");
        d.fixedBox(1)->setText("");
        d.fixedBox(2)->setText("0x10");
        EXPECT_TRUE(d.submit());
    });
    EXPECT_EQ(shownTexts(),
              (std::vector<QString>{
                  "Invalid name. The name cannot contain any \" characters.",
                  "Invalid UID. The UID must be specified in hexadecimal or normal form.",
                  "Invalid version. The version must be a number or a '*' character."}));
    EXPECT_EQ(cells(3), (QStringList{"Lib2", "2147483647.*.16", "Package"}));
    EXPECT_EQ(package().packageDependencies.back()->uid, 536879650u);
}

TEST_F(DependenciesViewTest, EditFormsShowTheDependencyAndRenameOnlyTheShownLanguage) {
    document.setCurrentLanguage(1);
    edit(2, [&](DependencyDialog& d) {
        EXPECT_EQ(d.typeBox(), nullptr);
        EXPECT_EQ(d.typeLabel()->text(), "Package");
        EXPECT_EQ(d.nameBox()->text(), "Lib FR");
        EXPECT_TRUE(d.rangeRadio()->isChecked());
        EXPECT_EQ(versionBoxesEnabled(d), (std::vector<bool>{0, 0, 0, 1, 1, 1, 1, 1, 1}));
        EXPECT_EQ(d.rangeBox(3)->text(), "2");
        EXPECT_TRUE(d.submit());
    });
    EXPECT_FALSE(document.modified()) << "nothing changed";

    edit(2, [&](DependencyDialog& d) {
        d.nameBox()->setText("Bibliotheque");
        d.fixedRadio()->setChecked(true);
        d.fixedBox(0)->setText("3");
        EXPECT_TRUE(d.submit());
    });
    const Dependency& lib = *package().packageDependencies.at(1);
    EXPECT_EQ(lib.names, (LocalizedText{u"Lib", u"Bibliotheque"}));
    EXPECT_EQ(cells(2), (QStringList{"Bibliotheque", "3.*.*", "Package"}));
    EXPECT_EQ(lib.toMajor, kAnyVersion) << "the fixed form makes the to-version wildcards";
    EXPECT_TRUE(document.modified());

    edit(0, [&](DependencyDialog& d) {
        EXPECT_EQ(d.typeLabel()->text(), "Device / Platform");
        EXPECT_EQ(d.fixedRadio(), nullptr) << "no version controls";
        d.uidBox()->setText("0x102032BE");
        EXPECT_TRUE(d.submit());
    });
    EXPECT_EQ(cells(0), (QStringList{"S60 FR", "0.0.0", "Device / Platform"}));
    EXPECT_EQ(package().deviceDependencies.at(0)->uid, 0x102032BEu);
}

TEST_F(DependenciesViewTest, RemovalAsksOnceAndTakesEverySelectedRow) {
    EXPECT_EQ(removeRows({1}, MessageAnswer::No),
              std::vector<QString>{"Are you sure you want to remove 'Qt' from the package?"});
    EXPECT_EQ(rows().rowCount(), 3);
    EXPECT_FALSE(document.modified());

    EXPECT_EQ(removeRows({0, 2}, MessageAnswer::Yes),
              std::vector<QString>{"Are you sure you want to remove the selected items from "
                                   "the package?"});
    ASSERT_EQ(rows().rowCount(), 1);
    EXPECT_EQ(cells(0).front(), "Qt");
    EXPECT_TRUE(document.modified());
}

} // namespace
} // namespace tb
