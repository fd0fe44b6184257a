#include "editing/new_item_place.h"
#include "editing/sequence_text.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

constexpr const char* kSequence = "a L{o1(c) o2()} B<i[g] else[h]> e";

struct PlaceCase {
    const char* selected; // null: nothing or the root
    const char* after;
};

TEST(NewItemPlaceTest, NewItemsGoAfterTheSelectionOrLastInsideAnOptionOrBranch) {
    const PlaceCase cases[] = {
        {nullptr, "a L{o1(c) o2()} B<i[g] else[h]> e x"},
        {"a", "a x L{o1(c) o2()} B<i[g] else[h]> e"},
        {"L", "a L{o1(c) o2()} x B<i[g] else[h]> e"},
        {"o1", "a L{o1(c x) o2()} B<i[g] else[h]> e"},
        {"o2", "a L{o1(c) o2(x)} B<i[g] else[h]> e"},
        {"c", "a L{o1(c x) o2()} B<i[g] else[h]> e"},
        {"i", "a L{o1(c) o2()} B<i[g x] else[h]> e"},
        {"else", "a L{o1(c) o2()} B<i[g] else[h x]> e"},
        {"g", "a L{o1(c) o2()} B<i[g x] else[h]> e"},
        {"e", "a L{o1(c) o2()} B<i[g] else[h]> e x"},
    };
    for (const PlaceCase& c : cases) {
        ItemSequence sequence;
        test::SequenceText text;
        text.build(sequence, kSequence);
        InstallItem* x = InsertAfter(sequence, text.make("x"), nullptr);
        EXPECT_TRUE(PlaceItem(sequence, x, NewItemPlace(c.selected ? text[c.selected] : nullptr)));
        EXPECT_EQ(text.print(sequence), c.after) << (c.selected ? c.selected : "root");
    }
}

} // namespace
} // namespace tb
