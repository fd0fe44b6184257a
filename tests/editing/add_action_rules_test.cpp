#include "editing/add_action_rules.h"
#include "editing/sequence_removal.h"
#include "editing/sequence_text.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

constexpr const char* kSequence = "a L{o1(c K{p1()}) o2()} B<i[g] j[] else[h]>";

// The add-action menu's entries in menu order, '+' enabled, '-' disabled, with blanks where the
// menu has its separators.
std::string menu(AddMenuPlace place, PackageType type, bool multilingual, const char* selected) {
    ItemSequence sequence;
    test::SequenceText text;
    text.build(sequence, kSequence);
    const SequenceState state{type, multilingual, selected ? text[selected] : nullptr};
    std::string out;
    for (AddAction action : kAddActions)
        out += std::string(SeparatorBefore(action) ? " " : "") +
               (AddActionEnabled(action, place, state) ? '+' : '-');
    return out;
}

TEST(AddActionRulesTest, EachPlaceEnablesTheEntriesItsRuleAllows) {
    struct MenuCase {
        AddMenuPlace place;
        PackageType type;
        bool multilingual;
        const char* selected; // null: nothing or the root
        const char* entries;
    };
    using P = AddMenuPlace;
    const auto app = PackageType::Application, patch = PackageType::Patch,
               pa = PackageType::PreinstalledApplication, pp = PackageType::PreinstalledAddOn;
    const MenuCase cases[] = {
        {P::Button, app, false, nullptr, "+++-++ ---- ++"},
        {P::Button, app, true, nullptr, "+++-++ ++++ ++"},
        {P::Button, app, true, "L", "++++++ ++++ ++"},
        {P::Button, app, false, "o1", "++--++ ---- ++"},
        {P::Button, app, false, "i", "++--++ ---- ++"},
        {P::Button, app, false, "c", "+++-++ ---- ++"},
        {P::Button, patch, false, "a", "+++-++ ---- ++"},
        {P::ContextMenu, app, true, nullptr, "+++-++ ++++ ++"},
        {P::ItemMenu, app, false, "a", "+++-++ ---- ++"},
        {P::ItemMenu, app, true, "L", "++++++ ++++ ++"},
        {P::ItemMenu, app, false, "o2", "++--++ ---- ++"},
        {P::ItemMenu, app, false, "c", "++--++ ---- ++"},
        {P::ItemMenu, app, false, "h", "++--++ ---- ++"},
        {P::ItemMenu, app, false, "K", "++-+++ ---- ++"},
        {P::Button, pa, false, nullptr, "+----+ ---- --"},
        {P::Button, pa, true, "L", "+----+ +--+ --"},
        {P::ContextMenu, pp, true, "o1", "+----+ +--+ --"},
    };
    for (const MenuCase& c : cases)
        EXPECT_EQ(menu(c.place, c.type, c.multilingual, c.selected), c.entries)
            << int(c.place) << int(c.type) << c.multilingual << (c.selected ? c.selected : "-");
}

// Per node: item menu offered, Edit, double-click edits, Remove and how it is confirmed,
// ELSEIF and ELSE offered.
std::string nodeRules(const char* name, PackageType type = PackageType::Application) {
    ItemSequence sequence;
    test::SequenceText text;
    text.build(sequence, kSequence);
    InstallItem* node = name ? text[name] : nullptr;
    const char* const kConfirmations[] = {"stays", "choice", "question"};
    std::string out;
    out += OffersItemMenu({type, false, node}) ? "menu " : "- ";
    out += CanEditNode(node) ? "edit " : "- ";
    out += EditsOnDoubleClick(node) ? "dbl " : "- ";
    out += CanRemoveNode(node) ? "remove " : "- ";
    out += kConfirmations[int(RemovalConfirmationFor(node))];
    out += CanAddElseIf(node) ? " elseif" : "";
    out += CanAddElse(node) ? " else" : "";
    return out;
}

TEST(AddActionRulesTest, NodesDecideTheirMenuEditAndRemoval) {
    ItemSequence sequence;
    test::SequenceText text;
    text.build(sequence, "B<i[] j[]>");
    InstallItem* dialog =
        InsertAfter(sequence, std::make_unique<ShowDialogItem>(u"x.txt"), nullptr);
    EXPECT_EQ(RemovalConfirmationFor(dialog), RemovalConfirmation::DialogChoice);
    EXPECT_TRUE(CanAddElse(text["i"]) && CanAddElse(text["j"])) << "a block without ELSE";

    EXPECT_EQ(nodeRules(nullptr), "- - - - stays");
    EXPECT_EQ(nodeRules("a"), "menu edit dbl remove question");
    EXPECT_EQ(nodeRules("a", PackageType::PreinstalledAddOn), "- edit dbl remove question");
    EXPECT_EQ(nodeRules("L"), "menu - - remove question");
    EXPECT_EQ(nodeRules("o1"), "menu edit - - stays");
    EXPECT_EQ(nodeRules("o2"), "menu edit - remove question");
    EXPECT_EQ(nodeRules("i"), "menu edit - remove question elseif");
    EXPECT_EQ(nodeRules("j"), "menu edit - remove question elseif");
    EXPECT_EQ(nodeRules("else"), "menu - - remove question");
}

} // namespace
} // namespace tb
