#include "views/list_editor.h"
#include "views/list_view_page.h"
#include "views/localization/package_view_fixture.h"
#include "views/properties/properties_view.h"
#include "views/properties/property_dialog.h"

#include <QItemSelectionModel>
#include <QTreeView>

namespace tb {
namespace {

using ui::MessageAnswer;

class PropertiesViewTest : public test::PackageViewTest<ListViewPage, PropertyDialog> {
protected:
    ListViewPage* create() override {
        return static_cast<ListViewPage*>(CreatePropertiesView(app, registry, nullptr));
    }
    void SetUp() override { open("&EN\n#{\"App\"},(0xA0001234),1,0,0\n+(1=2,3=4,-5=-6)\n"); }

    QAbstractItemModel& rows() const { return *view->list()->model(); }
    std::vector<QStringList> table() const {
        std::vector<QStringList> cells;
        for (int row = 0; row < rows().rowCount(); ++row)
            cells.push_back(test::RowCells(rows(), row));
        return cells;
    }
};

using Table = std::vector<QStringList>;

// Only digits reach the boxes, and no more of them than a signed 32-bit field holds.
TEST_F(PropertiesViewTest, BoxesTakeDigitsOnlyAndNoNumberTooLargeForTheField) {
    add([&](PropertyDialog& d) {
        EXPECT_EQ(d.valueBox()->text(), "0");
        test::Retype(d.keyBox(), "7a-8 x");
        EXPECT_EQ(d.keyBox()->text(), "78");
        test::TypeText(d.valueBox(), "q");
        EXPECT_EQ(d.valueBox()->text(), "0");
        test::Retype(d.valueBox(), "2147483648");
        EXPECT_EQ(d.valueBox()->text(), "214748364");
        test::TypeText(d.valueBox(), "7");
        EXPECT_EQ(d.valueBox()->text(), "2147483647");
        EXPECT_TRUE(d.submit());
    });
    EXPECT_EQ(table().back(), (QStringList{"78", "2147483647"}));
    EXPECT_EQ(package().properties.back()->value, 2147483647);
    EXPECT_EQ(view->list()->selectedRows(), QList<int>{3});
}

TEST_F(PropertiesViewTest, KeysStayUniqueAndBothBoxesMustBeFilled) {
    add([&](PropertyDialog& d) {
        test::Retype(d.keyBox(), "3");
        EXPECT_FALSE(d.submit());
        EXPECT_EQ(d.focusWidget(), d.keyBox());
        d.valueBox()->clear();
        test::Retype(d.keyBox(), "9");
        EXPECT_FALSE(d.submit());
        EXPECT_EQ(d.focusWidget(), d.valueBox());
        EXPECT_EQ(d.keyBox()->text(), "9") << "the texts stay as entered";
        test::TypeText(d.valueBox(), "10");
        EXPECT_TRUE(d.submit());
    });
    EXPECT_EQ(shownTexts(), (std::vector<QString>{"The key must be unique.",
                                                  "You must enter a key and a value."}));
    EXPECT_EQ(table().back(), (QStringList{"9", "10"}));
}

TEST_F(PropertiesViewTest, EditingKeepsItsOwnKeyAndANegativeNumberReadFromTheFile) {
    edit(0, [&](PropertyDialog& d) {
        test::Retype(d.keyBox(), "3");
        EXPECT_FALSE(d.submit());
        test::Retype(d.keyBox(), "1");
        EXPECT_TRUE(d.submit()) << "its own key is no other property's";
    });
    EXPECT_EQ(shownTexts(), std::vector<QString>{"The key must be unique."});
    EXPECT_FALSE(document.modified()) << "nothing changed";

    edit(2, [&](PropertyDialog& d) {
        EXPECT_EQ(d.keyBox()->text(), "-5");
        EXPECT_EQ(d.valueBox()->text(), "-6");
        EXPECT_TRUE(d.submit());
    });
    EXPECT_FALSE(document.modified());

    edit(1, [&](PropertyDialog& d) {
        test::Retype(d.valueBox(), "40");
        EXPECT_TRUE(d.submit());
    });
    EXPECT_EQ(table(), (Table{{"1", "2"}, {"3", "40"}, {"-5", "-6"}}));
    EXPECT_TRUE(document.modified());
}

TEST_F(PropertiesViewTest, RemovingTwoRowsAsksThePluralQuestionOnce) {
    EXPECT_EQ(test::HeaderTexts(rows()), (QStringList{"Key", "Value"}));
    EXPECT_EQ(table(), (Table{{"1", "2"}, {"3", "4"}, {"-5", "-6"}}));
    EXPECT_EQ(removeRows({1}, MessageAnswer::No),
              std::vector<QString>{"Are you sure you want to remove property from the package?"});
    EXPECT_EQ(rows().rowCount(), 3);
    EXPECT_EQ(removeRows({1, 2}, MessageAnswer::Yes),
              std::vector<QString>{"Are you sure you want to remove the selected properties "
                                   "from the package?"});
    EXPECT_EQ(table(), (Table{{"1", "2"}}));
    EXPECT_TRUE(document.modified());
}

} // namespace
} // namespace tb
