#include "editing/new_item_place.h"
#include "editing/sequence_moves.h"
#include "editing/sequence_text.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

struct MoveCase {
    const char* sequence;
    const char* item;
    const char* afterUp; // "-": it stays
    const char* afterDown;
};

std::string moved(const MoveCase& c, bool up) {
    ItemSequence sequence;
    test::SequenceText text;
    text.build(sequence, c.sequence);
    InstallItem* item = text[c.item];
    std::optional<ItemPlace> place = up ? MoveUpPlace(*item) : MoveDownPlace(*item);
    if (!place)
        return "-";
    return PlaceItem(sequence, item, *place) ? text.print(sequence) : "refused";
}

TEST(SequenceMovesTest, UpAndDownThroughOptionListsAndConditionBlocks) {
    const MoveCase cases[] = {
        {"a b L{o1(c d) o2()} e", "a", "-", "b a L{o1(c d) o2()} e"},
        {"a b L{o1(c d) o2()} e", "b", "b a L{o1(c d) o2()} e", "a L{o1(b c d) o2()} e"},
        {"a b L{o1(c d) o2()} e", "e", "a b L{o1(c d) o2(e)}", "-"},
        {"a b L{o1(c d) o2()} e", "L", "a L{o1(c d) o2()} b e", "a b e L{o1(c d) o2()}"},
        {"a b L{o1(c d) o2()} e", "o1", "-", "a b L{o2() o1(c d)} e"},
        {"a b L{o1(c d) o2()} e", "o2", "a b L{o2() o1(c d)} e", "-"},
        {"a b L{o1(c d) o2()} e", "c", "a b c L{o1(d) o2()} e", "a b L{o1(d c) o2()} e"},
        {"a b L{o1(c d) o2()} e", "d", "a b L{o1(d c) o2()} e", "a b L{o1(c) o2(d)} e"},
        {"K{p1(x)} L{o1(c) o2(d)} e", "d", "K{p1(x)} L{o1(c d) o2()} e",
         "K{p1(x)} L{o1(c) o2()} d e"},
        {"K{p1(x)} L{o1(c) o2(d)} e", "c", "K{p1(x c)} L{o1() o2(d)} e",
         "K{p1(x)} L{o1() o2(c d)} e"},
        {"K{p1(x)} L{o1(c) o2(d)} e", "x", "x K{p1()} L{o1(c) o2(d)} e",
         "K{p1()} x L{o1(c) o2(d)} e"},
        {"K{p1(x)} L{o1(c) o2(d)} e", "L", "L{o1(c) o2(d)} K{p1(x)} e",
         "K{p1(x)} e L{o1(c) o2(d)}"},
        {"K{p1(x)} L{o1(c) o2(d)} e", "K", "-", "L{o1(K{p1(x)} c) o2(d)} e"},
        {"a L{} b", "b", "a b L{}", "-"},
        {"a L{} b", "a", "-", "L{} a b"},
        {"a B<i[f] j[g]> h", "h", "a B<i[f] j[g h]>", "-"},
        {"a B<i[f] j[g]> h", "a", "-", "B<i[a f] j[g]> h"},
        {"a B<i[f] j[g]> h", "g", "a B<i[f g] j[]> h", "a B<i[f] j[]> g h"},
        {"a B<i[f] j[g]> h", "f", "a f B<i[] j[g]> h", "a B<i[] j[f g]> h"},
        {"a B<i[f] else[g]> h", "B", "B<i[f] else[g]> a h", "a h B<i[f] else[g]>"},
        {"B<i[f]> L{o1(c)}", "B", "-", "L{o1(B<i[f]> c)}"},
        {"L{o1(c)} B<i[f]>", "B", "B<i[f]> L{o1(c)}", "-"},
        {"B<i[f] j[g]>", "i", "-", "-"},
        {"B<i[f] j[g]>", "j", "-", "-"},
        {"B<i[] j[] k[] else[]>", "j", "-", "B<i[] k[] j[] else[]>"},
        {"B<i[] j[] k[] else[]>", "k", "B<i[] k[] j[] else[]>", "-"},
        {"B<i[] j[] k[] else[]>", "else", "-", "-"},
        {"B<i[] j[] k[]>", "k", "B<i[] k[] j[]>", "-"},
    };
    for (const MoveCase& c : cases) {
        EXPECT_EQ(moved(c, true), c.afterUp) << "up " << c.item << " in " << c.sequence;
        EXPECT_EQ(moved(c, false), c.afterDown) << "down " << c.item << " in " << c.sequence;
    }
}

TEST(SequenceMovesTest, PlacesRefusedInsideTheItemItself) {
    ItemSequence sequence;
    test::SequenceText text;
    text.build(sequence, "a L{o1(c) o2()} e");
    for (ItemPlace place : {ItemPlace::lastChildOf(text["o2"]), ItemPlace::before(text["L"]),
                            ItemPlace::before(nullptr)})
        EXPECT_FALSE(PlaceItem(sequence, text["L"], place));
    EXPECT_EQ(text.print(sequence), "a L{o1(c) o2()} e");
    EXPECT_TRUE(PlaceItem(sequence, text["L"], ItemPlace::firstChildOf(nullptr)));
    EXPECT_EQ(text.print(sequence), "L{o1(c) o2()} a e");
    EXPECT_EQ(sequence.last, text["e"]);
}

TEST(NewItemPlaceTest, NewItemsGoAfterTheSelectionOrLastInsideAnOptionOrBranch) {
    const struct {
        const char* selected; // null: nothing or the root
        const char* after;
    } cases[] = {
        {nullptr, "a L{o1(c) o2()} B<i[g] else[h]> e x"},
        {"a", "a x L{o1(c) o2()} B<i[g] else[h]> e"},
        {"L", "a L{o1(c) o2()} x B<i[g] else[h]> e"},
        {"o1", "a L{o1(c x) o2()} B<i[g] else[h]> e"},
        {"o2", "a L{o1(c) o2(x)} B<i[g] else[h]> e"},
        {"c", "a L{o1(c x) o2()} B<i[g] else[h]> e"},
        {"i", "a L{o1(c) o2()} B<i[g x] else[h]> e"},
    };
    for (const auto& c : cases) {
        ItemSequence sequence;
        test::SequenceText text;
        text.build(sequence, "a L{o1(c) o2()} B<i[g] else[h]> e");
        InstallItem* x = InsertAfter(sequence, text.make("x"), nullptr);
        EXPECT_TRUE(PlaceItem(sequence, x, NewItemPlace(c.selected ? text[c.selected] : nullptr)));
        EXPECT_EQ(text.print(sequence), c.after) << (c.selected ? c.selected : "root");
    }
}

} // namespace
} // namespace tb
