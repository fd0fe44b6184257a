#include "views/list_editor.h"
#include "views/list_view_page.h"
#include "views/properties/properties_view.h"
#include "views/properties/property_dialog.h"
#include "views/view_fixture.h"

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

// What a number box holds is NumberBoxesTest's; here keys stay unique (but for the property's
// own), both boxes must be filled and negative numbers from the file are kept.
TEST_F(PropertiesViewTest, AddAndEditKeepKeysUnique) {
    edit(0, [&](PropertyDialog& d) {
        test::Retype(d.keyBox(), "3");
        EXPECT_FALSE(d.submit());
        test::Retype(d.keyBox(), "1");
        EXPECT_TRUE(d.submit()) << "its own key is no other property's";
    });
    edit(2, [&](PropertyDialog& d) { EXPECT_TRUE(d.submit()); });
    EXPECT_FALSE(document.modified()) << "nothing changed, negative numbers from the file kept";

    add([&](PropertyDialog& d) {
        EXPECT_EQ(d.valueBox()->text(), "0");
        test::Retype(d.keyBox(), "78");
        d.valueBox()->clear();
        EXPECT_FALSE(d.submit());
        test::Retype(d.valueBox(), "2147483647");
        EXPECT_TRUE(d.submit());
    });
    EXPECT_EQ(shownTexts(), (std::vector<QString>{"The key must be unique.",
                                                  "You must enter a key and a value."}));
    edit(1, [&](PropertyDialog& d) {
        test::Retype(d.valueBox(), "40");
        EXPECT_TRUE(d.submit());
    });
    EXPECT_EQ(table(), (Table{{"1", "2"}, {"3", "40"}, {"-5", "-6"}, {"78", "2147483647"}}));

    EXPECT_EQ(removeRows({1, 2}, MessageAnswer::Yes),
              std::vector<QString>{"Are you sure you want to remove the selected properties "
                                   "from the package?"});
    EXPECT_EQ(table(), (Table{{"1", "2"}, {"78", "2147483647"}}));
}

} // namespace
} // namespace tb
