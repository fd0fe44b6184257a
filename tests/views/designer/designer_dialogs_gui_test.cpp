// What the Designer does through other dialogs: adding files, condition blocks and null
// files, and editing each kind of node.
#include "designer_fixture.h"

#include "views/dialogs/condition_dialog.h"
#include "views/dialogs/edit_option_dialog.h"
#include "views/dialogs/include_package_dialog.h"
#include "views/dialogs/install_file_dialog.h"
#include "views/dialogs/language_file_dialog.h"

namespace tb::test {
namespace {

WhenModal<ConditionDialog> AnswerCondition(const char* text) {
    return WhenModal<ConditionDialog>([text](ConditionDialog& d) {
        d.conditionBox()->setText(QString::fromUtf8(text));
        d.okButton()->click();
    });
}

void PressEnter(QWidget* widget, int key = Qt::Key_Return) {
    QKeyEvent enter(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
}

// Files in the order chosen and where they go are the session's and NewItemPlaceTest's; here
// the last is selected and a launched file gets its MIME type.
TEST_F(DesignerTest, FilesAreAddedAndTheLastIsSelected) {
    files.many = {QString::fromStdString(dir.file("a.txt")),
                  QString::fromStdString(dir.file("b.dll"))};
    select("InstallFile [\\private\\a0001234\\help.txt]");
    view.runAddAction(AddAction::InstallFiles);
    EXPECT_EQ(selected(), "InstallFile [\\sys\\bin\\b.dll]");

    files.many = {QString::fromStdString(dir.file("guide.html"))};
    tree.selectNode(tree.rootNode());
    view.runAddAction(AddAction::LaunchFile);
    EXPECT_EQ(selected(), "LaunchFile [.\\guide.html]");
    EXPECT_EQ(itemAs<InstallFileItem>(tree.selectedItem())->mimeType, u"text/html");
}

TEST_F(DesignerTest, ConditionBlocksGetBranchesAndEnterEditsTheirCondition) {
    {
        auto answer = AnswerCondition("LANGUAGE = 2");
        view.runAddAction(AddAction::ConditionBlock);
    }
    EXPECT_EQ(selected(), "IF [LANGUAGE = 2]");
    for (const char* condition : {"LANGUAGE = 3", "LANGUAGE = 4"}) {
        select("IF [LANGUAGE = 2]");
        auto answer = AnswerCondition(condition);
        view.addElseIf();
    }
    view.addElse();
    EXPECT_NE(shown().find("  IF [LANGUAGE = 2]\n  ELSEIF [LANGUAGE = 4]\n  ELSEIF [LANGUAGE = "
                           "3]\n  ELSE\n"),
              std::string::npos)
        << shown();

    select("ELSEIF [LANGUAGE = 3]");
    {
        auto answer = AnswerCondition("LANGUAGE = 5 OR LANGUAGE = 6");
        PressEnter(&tree);
        EXPECT_TRUE(answer.seen());
    }
    EXPECT_EQ(selected(), "ELSEIF [(LANGUAGE = 5) OR (LANGUAGE = 6)]");
}

// The reduced form itself is InstallFileDialogTest's.
TEST_F(DesignerTest, NullFilesAreNamedInTheReducedInstallFileDialog) {
    select("LaunchFile [view.txt]");
    {
        WhenModal<InstallFileDialog> name([](InstallFileDialog& d) {
            d.nameBox()->setText("state.dat");
            d.okButton()->click();
        });
        view.runAddAction(AddAction::NullFile);
    }
    EXPECT_EQ(selected(), "NullFile [\\private\\a0001234\\state.dat]");

    const std::string before = shown();
    WhenModal<InstallFileDialog> cancel([](InstallFileDialog& d) { d.cancelButton()->click(); });
    view.runAddAction(AddAction::NullFile);
    EXPECT_TRUE(cancel.seen());
    EXPECT_EQ(model(), before) << "a cancelled null file is taken out again";
}

TEST_F(DesignerTest, EachNodeKindIsEditedInItsDialogAndRelabelled) {
    {
        WhenModal<IncludePackageDialog> ok([](IncludePackageDialog& d) { d.okButton()->click(); });
        emit tree.itemDoubleClicked(node("IncludePackage [sub.sis]"), 0);
        EXPECT_TRUE(ok.seen()) << "a double-click edits (where: AddActionRulesTest)";
    }
    {
        select("Option [\"Help\"]");
        WhenModal<EditOptionDialog> rename([](EditOptionDialog& d) {
            d.textBox()->setText("Manual");
            d.okButton()->click();
        });
        view.editButton()->click();
        EXPECT_EQ(selected(), "Option [\"Manual\"]");
    }
    {
        // A language file keeps its edited label until the tree is built again.
        select("InstallLanguageFile [\\resource\\apps\\lang.rsc]");
        WhenModal<LanguageFileDialog> rename([](LanguageFileDialog& d) {
            d.nameBox()->setText("texts.rsc");
            d.okButton()->click();
        });
        PressEnter(&tree, Qt::Key_Enter);
        EXPECT_EQ(selected(), "InstallLanguageFile (\\resource\\apps\\texts.rsc)");
    }
    view.deactivate();
    view.activate();
    EXPECT_EQ(shown(), model());
    EXPECT_NE(shown().find("InstallLanguageFile [\\resource\\apps\\texts.rsc]"), std::string::npos);
}

} // namespace
} // namespace tb::test
