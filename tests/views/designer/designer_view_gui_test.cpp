#include "designer_fixture.h"

#include "views/designer/remove_dialog_choice.h"

#include <filesystem>

namespace tb::test {
namespace {

namespace cmd = ui::cmd;

TEST_F(DesignerTest, ShowsEveryKindOfNodeInTheCurrentLanguage) {
    EXPECT_EQ(shown(), kDesignerTree);
    EXPECT_EQ(selected(), "Install Start");
    document.setCurrentLanguage(1);
    EXPECT_NE(shown().find("Option [\"Aide\"]"), std::string::npos);
}

// Where new items go is NewItemPlaceTest's; here the view asks for the file and places it.
TEST_F(DesignerTest, NewItemsGoAtTheEndOrAfterTheSelectedAction) {
    auto addDialogFrom = [&](const char* name) {
        files.answer = QString::fromStdString(dir.write(name, "text"));
        view.runAddAction(AddAction::Dialog, AddMenuPlace::Button, true);
    };
    addDialogFrom("Root.txt");
    EXPECT_EQ(tree.rootNode()->child(tree.rootNode()->childCount() - 1)->text(0),
              "ShowDialog [Root]");
    EXPECT_EQ(files.asked, (QStringList{"", "Text Files (*.txt)", dir.path().c_str()}));

    select("InstallFile [\\private\\a0001234\\help.txt]");
    addDialogFrom("After.txt");
    EXPECT_NE(shown().find("      InstallFile [\\private\\a0001234\\help.txt]\n"
                           "      ShowDialog [After]\n"),
              std::string::npos)
        << shown();

    // A dialog of that name anywhere (here inside an option) refuses the file.
    const std::string before = shown();
    addDialogFrom("sub/Intro.txt");
    EXPECT_EQ(shownTexts(), std::vector<QString>{"A dialog with that name already exists. "
                                                 "Please select another file."});
    EXPECT_EQ(shown(), before);
}

TEST_F(DesignerTest, EmbeddedPackagesNeedASisFile) {
    files.answer = QString::fromStdString(
        dir.write("pkg/ok.sisx",
                  std::string("\x19\x04\x00\x10\x00\x00\x00\x00\x34\x12\x00\x20\0\0\0\0", 16)));
    view.runAddAction(AddAction::IncludePackage);
    EXPECT_EQ(selected(), "IncludePackage [.\\pkg\\ok.sisx]");
    EXPECT_EQ(itemAs<IncludePackageItem>(tree.selectedItem())->uid, 0x20001234u);

    const std::string before = shown();
    for (const std::string& bad : {dir.write("short.sis", "SIS"), dir.file("missing.sis")}) {
        files.answer = QString::fromStdString(bad);
        view.runAddAction(AddAction::IncludePackage);
    }
    EXPECT_EQ(shownTexts(), (std::vector<QString>{
                                "The file could not be added. It does not appear to be a SIS "
                                "file or the file is corrupt.",
                                "The file could not be added. The file is in use by another "
                                "application or you don't have permission to access the file."}));
    EXPECT_EQ(shown(), before);
}

TEST_F(DesignerTest, OptionListsNumberTheirOptionsAndKeepTheirFirst) {
    view.runAddAction(AddAction::OptionList);
    auto* first = itemAs<OptionItem>(tree.selectedItem());
    EXPECT_EQ(first->names, (LocalizedText{u"Option 1", u""})) << "the current language only";
    for (int i = 0; i < 2; ++i) {
        tree.selectNode(tree.nodeOf(first->parent));
        view.runAddAction(AddAction::Option);
    }
    EXPECT_EQ(ShownTree(tree.nodeOf(first->parent)),
              "ShowOptionList\n  Option [\"Option 1\"]\n  Option [\"Option 2\"]\n  Option "
              "[\"Option 3\"]\n");

    tree.selectNode(tree.nodeOf(first));
    EXPECT_FALSE(view.removeButton()->isEnabled());
    view.removeSelected();
    EXPECT_TRUE(boxes.shown.empty()) << "the first option is never removed, nor asked about";

    select("Option [\"Option 2\"]");
    boxes.answers = {ui::MessageAnswer::Yes};
    view.removeSelected();
    EXPECT_EQ(ShownTree(tree.nodeOf(first->parent)),
              "ShowOptionList\n  Option [\"Option 1\"]\n  Option [\"Option 3\"]\n");
}

// Every move rule is SequenceMovesTest's; here the commands follow them.
TEST_F(DesignerTest, MoveCommandsFollowTheRules) {
    const struct {
        const char* node;
        bool up, down;
    } states[] = {
        {"Install Start", false, false},
        {"InstallFile [\\sys\\bin\\app.exe]", false, true},
        {"IF [exists(\"c:\\x.txt\")]", true, false},
        {"ELSE", false, false},
    };
    for (const auto& state : states) {
        select(state.node);
        EXPECT_EQ(std::pair(registry.isEnabled(cmd::kMoveUp), registry.isEnabled(cmd::kMoveDown)),
                  std::pair(state.up, state.down))
            << state.node;
    }
}

TEST_F(DesignerTest, RemovingAsksAndADialogMayTakeItsTextFilesAlong) {
    select("LaunchFile [view.txt]");
    for (QAction* action : tree.actions()) // the Delete key
        if (action->shortcut() == QKeySequence(QKeySequence::Delete))
            action->trigger();
    EXPECT_EQ(boxes.shown.size(), 1u) << "asked first (the text: SequenceLabelsTest)";
    EXPECT_EQ(shown(), kDesignerTree) << "not without a Yes";

    // The IF node removes its whole block, an ELSE node only itself; a neighbour is selected.
    boxes.answers = {ui::MessageAnswer::Yes, ui::MessageAnswer::Yes};
    select("ELSE");
    view.removeSelected();
    EXPECT_EQ(selected(), "IF [exists(\"c:\\x.txt\")]");
    view.removeSelected();
    EXPECT_EQ(shown().find("c.txt"), std::string::npos);

    const std::string text = dir.write("Intro.txt", "hello");
    auto choose = [&](QPushButton* (RemoveDialogChoice::*button)() const) {
        WhenModal<RemoveDialogChoice> answer(
            [&](RemoveDialogChoice& d) { (d.*button)()->click(); });
        select("ShowDialog [Intro]");
        view.removeSelected();
        EXPECT_TRUE(answer.seen());
    };
    choose(&RemoveDialogChoice::removeButton);
    EXPECT_EQ(shown().find("ShowDialog [Intro]"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(text)) << "Remove keeps the text file";

    files.answer = QString::fromStdString(text);
    view.runAddAction(AddAction::Dialog, AddMenuPlace::Button, true);
    choose(&RemoveDialogChoice::deleteButton);
    EXPECT_FALSE(std::filesystem::exists(text)) << "Delete deletes it";
}

// Edits made in another view show at once, and the tree stays in step.
TEST_F(DesignerTest, OtherViewsEditsShowAtOnce) {
    const int otherView = 0;
    const EditOrigin other{ItemChangeSource::FileDialog, &otherView};
    auto made = std::make_unique<InstallFileItem>(u"x.txt");
    made->target = u"\\x.txt";
    InstallItem* extras = SequenceTree::itemOf(node("Option [\"Extras\"]"));
    auto* added = document.insertItem(std::move(made), ItemPlace::lastChildOf(extras), other);
    EXPECT_EQ(selected(), "InstallFile [\\x.txt]");
    document.changeItem(
        itemAs<InstallFileItem>(added), [](InstallFileItem& f) { f.target = u"\\y.txt"; }, other);
    EXPECT_EQ(selected(), "InstallFile [\\y.txt]");
    document.moveItem(added, ItemPlace::firstChildOf(nullptr), other);
    EXPECT_EQ(tree.rootNode()->child(0)->text(0), "InstallFile [\\y.txt]");
    document.removeItem(added, other);
    EXPECT_EQ(shown(), kDesignerTree);
}

} // namespace
} // namespace tb::test
