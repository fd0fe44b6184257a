#include "views/list_editor.h"
#include "views/list_view_page.h"
#include "views/properties/properties_view.h"
#include "views/properties/property_dialog.h"
#include "views/view_fixture.h"

namespace tb::test {
namespace {

class PropertiesViewTest
    : public PackageViewTest<ListViewPage, PropertyDialog, CreatePropertiesView> {
protected:
    void SetUp() override { open("&EN\n#{\"App\"},(0xA0001234),1,0,0\n+(1=2,3=4,-5=-6)\n"); }
};

// What a number box holds is NumberBoxesTest's; here keys stay unique (but for the property's
// own), both boxes must be filled and negative numbers from the file are kept.
TEST_F(PropertiesViewTest, AddAndEditKeepKeysUnique) {
    edit(2, [&](PropertyDialog& d) { EXPECT_TRUE(d.submit()); });
    EXPECT_FALSE(document.modified()) << "nothing changed, negative numbers from the file kept";

    edit(0, [&](PropertyDialog& d) {
        Retype(d.keyBox(), "3");
        EXPECT_FALSE(d.submit());
        Retype(d.keyBox(), "1");
        Retype(d.valueBox(), "40");
        EXPECT_TRUE(d.submit()) << "its own key is no other property's";
    });
    add([&](PropertyDialog& d) {
        Retype(d.keyBox(), "78");
        d.valueBox()->clear();
        EXPECT_FALSE(d.submit());
        Retype(d.valueBox(), "2147483647");
        EXPECT_TRUE(d.submit());
    });
    EXPECT_EQ(shownTexts(), (std::vector<QString>{"The key must be unique.",
                                                  "You must enter a key and a value."}));
    EXPECT_EQ(removeRows({1, 2}, ui::MessageAnswer::Yes),
              std::vector<QString>{"Are you sure you want to remove the selected properties "
                                   "from the package?"});
    EXPECT_EQ(table(), (Table{{"1", "40"}, {"78", "2147483647"}}));
}

} // namespace
} // namespace tb::test
