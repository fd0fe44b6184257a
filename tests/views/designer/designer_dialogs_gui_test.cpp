// What the Designer does through other dialogs: adding files, condition blocks and null
// files, and editing each kind of node.
#include "designer_fixture.h"

#include "views/dialogs/condition_dialog.h"
#include "views/dialogs/edit_option_dialog.h"
#include "views/dialogs/include_package_dialog.h"
#include "views/dialogs/install_file_dialog.h"
#include "views/dialogs/language_file_dialog.h"

#include <QKeyEvent>

namespace tb::test {
namespace {

// Files in the order chosen and where they go are the session's and NewItemPlaceTest's; here
// the last is selected and a launched file gets its MIME type.
TEST_F(DesignerTest, FilesAreAddedAndTheLastIsSelected) {
    files.many = {QString::fromStdString(dir.file("a.txt")),
                  QString::fromStdString(dir.file("guide.html"))};
    view.runAddAction(AddAction::LaunchFile);
    EXPECT_EQ(selected(), "LaunchFile [.\\guide.html]");
    EXPECT_EQ(itemAs<InstallFileItem>(tree.selectedItem())->mimeType, u"text/html");
}

TEST_F(DesignerTest, ConditionBlocksGetTheirBranchesAfterTheSelectedOne) {
    const char* const kConditions[] = {"LANGUAGE = 2", "LANGUAGE = 3", "LANGUAGE = 4"};
    for (const char* condition : kConditions) {
        WhenModal<ConditionDialog> answer([condition](ConditionDialog& d) {
            d.conditionBox()->setText(condition);
            d.okButton()->click();
        });
        if (condition == kConditions[0]) // the block, then ELSEIFs from its IF
            view.runAddAction(AddAction::ConditionBlock);
        else
            view.addElseIf();
        select("IF [LANGUAGE = 2]");
    }
    view.addElse();
    EXPECT_NE(shown().find("  IF [LANGUAGE = 2]\n  ELSEIF [LANGUAGE = 4]\n  ELSEIF [LANGUAGE = "
                           "3]\n  ELSE\n"),
              std::string::npos)
        << shown();
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

// A double-click, the Edit button and Enter each open the node's own dialog; what the dialogs
// store is theirs to test.
TEST_F(DesignerTest, EachNodeKindIsEditedInItsDialogAndRelabelled) {
    {
        WhenModal<IncludePackageDialog> ok([](IncludePackageDialog& d) { d.okButton()->click(); });
        emit tree.itemDoubleClicked(node("IncludePackage [sub.sis]"), 0);
        EXPECT_TRUE(ok.seen());
    }
    select("Option [\"Help\"]");
    {
        WhenModal<EditOptionDialog> rename([](EditOptionDialog& d) {
            d.textBox()->setText("Manual");
            d.okButton()->click();
        });
        view.editButton()->click();
    }
    EXPECT_EQ(selected(), "Option [\"Manual\"]");
    // A language file keeps its edited label until the tree is built again.
    select("InstallLanguageFile [\\resource\\apps\\lang.rsc]");
    {
        WhenModal<LanguageFileDialog> rename([](LanguageFileDialog& d) {
            d.nameBox()->setText("texts.rsc");
            d.okButton()->click();
        });
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Enter, Qt::NoModifier);
        QApplication::sendEvent(&tree, &enter);
    }
    EXPECT_EQ(selected(), "InstallLanguageFile (\\resource\\apps\\texts.rsc)");
    view.deactivate();
    view.activate();
    EXPECT_NE(shown().find("InstallLanguageFile [\\resource\\apps\\texts.rsc]"), std::string::npos);
}

} // namespace
} // namespace tb::test
