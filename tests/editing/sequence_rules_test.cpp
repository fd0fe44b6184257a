// The rules of the installation sequence's tree: moves, new items' places, the add-action menu,
// the node rules and the labels the Designer's fixture package does not show.
#include "editing/add_action_rules.h"
#include "editing/new_item_place.h"
#include "editing/sequence_labels.h"
#include "editing/sequence_moves.h"
#include "editing/sequence_removal.h"
#include "editing/sequence_text.h"
#include "model/condition_parser.h"
#include "util/text_convert.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

// The sequence after moving item up or down, "-" when it stays.
std::string moved(const char* start, const char* item, bool up) {
    ItemSequence sequence;
    test::SequenceText text;
    text.build(sequence, start);
    std::optional<ItemPlace> place = up ? MoveUpPlace(*text[item]) : MoveDownPlace(*text[item]);
    if (!place)
        return "-";
    return PlaceItem(sequence, text[item], *place) ? text.print(sequence) : "refused";
}

TEST(SequenceMovesTest, UpAndDownThroughOptionListsAndConditionBlocks) {
    const std::array<const char*, 4> cases[] = {
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
    for (auto [sequence, item, afterUp, afterDown] : cases) { // "-": it stays
        EXPECT_EQ(moved(sequence, item, true), afterUp) << item << " in " << sequence;
        EXPECT_EQ(moved(sequence, item, false), afterDown) << item << " in " << sequence;
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
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, "a L{o1(c) o2()} B<i[g] else[h]> e x"},
        {"a", "a x L{o1(c) o2()} B<i[g] else[h]> e"},
        {"L", "a L{o1(c) o2()} x B<i[g] else[h]> e"},
        {"o1", "a L{o1(c x) o2()} B<i[g] else[h]> e"},
        {"c", "a L{o1(c x) o2()} B<i[g] else[h]> e"},
        {"i", "a L{o1(c) o2()} B<i[g x] else[h]> e"},
    };
    for (auto [selected, after] : cases) { // selected null: nothing or the root
        ItemSequence sequence;
        test::SequenceText text;
        text.build(sequence, "a L{o1(c) o2()} B<i[g] else[h]> e");
        InstallItem* x = InsertAfter(sequence, text.make("x"), nullptr);
        EXPECT_TRUE(PlaceItem(sequence, x, NewItemPlace(selected ? text[selected] : nullptr)));
        EXPECT_EQ(text.print(sequence), after) << (selected ? selected : "root");
    }
}

// The add-action menu's entries in menu order ('+' enabled, '-' disabled, blanks where the menu
// has its separators), then per node: item menu offered, Edit, double-click edits, Remove and how
// it is confirmed, ELSEIF and ELSE offered.
TEST(AddActionRulesTest, EachPlaceAndNodeEnablesWhatItsRuleAllows) {
    ItemSequence sequence;
    test::SequenceText text;
    text.build(sequence, "a L{o1(c K{p1()}) o2()} B<i[g] j[] else[h]>");
    using P = AddMenuPlace;
    const auto app = PackageType::Application, pa = PackageType::PreinstalledApplication,
               pp = PackageType::PreinstalledAddOn;
    const std::tuple<AddMenuPlace, PackageType, bool, const char*, const char*> menus[] = {
        {P::Button, app, false, nullptr, "+++-++ ---- ++"},
        {P::Button, app, true, nullptr, "+++-++ ++++ ++"},
        {P::Button, app, true, "L", "++++++ ++++ ++"},
        {P::Button, app, false, "o1", "++--++ ---- ++"},
        {P::Button, app, false, "i", "++--++ ---- ++"},
        {P::Button, app, false, "c", "+++-++ ---- ++"},
        {P::ItemMenu, app, false, "a", "+++-++ ---- ++"},
        {P::ItemMenu, app, false, "c", "++--++ ---- ++"},
        {P::ItemMenu, app, false, "K", "++-+++ ---- ++"},
        {P::Button, pp, false, nullptr, "+----+ ---- --"},
        {P::Button, pa, true, "L", "+----+ +--+ --"},
    };
    for (auto [place, type, multilingual, selected, entries] : menus) { // selected null: the root
        const SequenceState state{type, multilingual, selected ? text[selected] : nullptr};
        std::string out;
        for (AddAction action : kAddActions)
            out += std::string(SeparatorBefore(action) ? " " : "") +
                   (AddActionEnabled(action, place, state) ? '+' : '-');
        EXPECT_EQ(out, entries) << int(place) << int(type) << multilingual
                                << (selected ? selected : "-");
    }

    const auto rules = [&](const char* name, PackageType type = PackageType::Application) {
        const InstallItem* node = name ? text[name] : nullptr;
        const char* const kConfirmations[] = {"stays", "choice", "question"};
        return std::string(OffersItemMenu({type, false, node}) ? "menu " : "- ") +
               (CanEditNode(node) ? "edit " : "- ") + (EditsOnDoubleClick(node) ? "dbl " : "- ") +
               (CanRemoveNode(node) ? "remove " : "- ") +
               kConfirmations[int(RemovalConfirmationFor(node))] +
               (CanAddElseIf(node) ? " elseif" : "") + (CanAddElse(node) ? " else" : "");
    };
    EXPECT_EQ(rules(nullptr), "- - - - stays");
    EXPECT_EQ(rules("a"), "menu edit dbl remove question");
    EXPECT_EQ(rules("a", PackageType::PreinstalledAddOn), "- edit dbl remove question");
    EXPECT_EQ(rules("L"), "menu - - remove question");
    EXPECT_EQ(rules("o1"), "menu edit - - stays");
    EXPECT_EQ(rules("o2"), "menu edit - remove question");
    EXPECT_EQ(rules("i"), "menu edit - remove question elseif");
    EXPECT_EQ(rules("else"), "menu - - remove question");

    ItemSequence other;
    text.build(other, "C<k[] m[]>");
    InstallItem* dialog = InsertAfter(other, std::make_unique<ShowDialogItem>(u"x.txt"), nullptr);
    EXPECT_EQ(RemovalConfirmationFor(dialog), RemovalConfirmation::DialogChoice);
    EXPECT_TRUE(CanAddElse(text["k"]) && CanAddElse(text["m"])) << "a block without ELSE";
}

std::string label(const InstallItem& item, bool edited = false) {
    return wideToUtf8(edited ? EditedSequenceLabel(item, 1) : SequenceLabel(item, 1));
}

TEST(SequenceLabelsTest, LabelsAndEditedFormsTheDesignerFixtureDoesNotShow) {
    InstallLanguageFileItem installed(2), launched(2);
    installed.target = u"\\sys\\bin\\a.exe";
    installed.sources = {u"a_en.exe", u"a_fr.exe"};
    launched.fileType = FileType::FM;
    launched.sources = {u"", u"b_fr.txt"};
    EXPECT_EQ(label(installed), "InstallLanguageFile [\\sys\\bin\\a.exe]");
    EXPECT_EQ(label(installed, true), "InstallLanguageFile (\\sys\\bin\\a.exe)");
    EXPECT_EQ(label(launched), "LaunchLanguageFile [b_fr.txt]") << "the first source given";
    EXPECT_EQ(label(launched, true), "LaunchLanguageFileInViewer (b_fr.txt)");

    InstallFileItem plain(u"a.txt");
    plain.target = u"\\a.txt";
    EXPECT_EQ(label(plain, true), "InstallFile [\\a.txt]") << "only language files change";
    ShowLanguageDialogItem dialog(2);
    dialog.name = u"Intro";
    EXPECT_EQ(label(dialog), "ShowLanguageDialog [Intro]");
    IncludeLanguagePackageItem package(2);
    package.uid = 0xA0B1C2D3;
    EXPECT_EQ(label(package), "IncludeLanguagePackage [0xa0b1c2d3]");
    EXPECT_EQ(label(OptionItem(1)), "Option [\"\"]") << "fewer texts than languages";
    const WideText longLabel(400, u'x'); // no message length limit cuts it
    EXPECT_EQ(RemovalQuestion(longLabel),
              u"Are you sure you want to remove '" + longLabel + u"' from the package?");

    // Branches name their place and the condition in its normal form.
    ItemSequence sequence;
    InstallItem* block = AppendChild(sequence, std::make_unique<ConditionBlockItem>(), nullptr);
    for (const char16_t* text : {u"exists(\"c:\\a.txt\")", u"LANGUAGE=2 and not package(0x1F)"}) {
        Condition condition;
        WideText message;
        ASSERT_TRUE(ParseConditionText(text, condition, message));
        AppendChild(sequence, std::make_unique<ConditionBranchItem>(std::move(condition)), block);
    }
    EXPECT_EQ(label(*block->firstChild->next), "ELSEIF [(LANGUAGE = 2) AND NOT package(0x1f)]");
}

} // namespace
} // namespace tb
