// What the Designer does through other dialogs: adding files, condition blocks and null
// files, and editing each kind of node.
#include "designer_fixture.h"

#include "views/dialogs/condition_dialog.h"
#include "views/dialogs/edit_option_dialog.h"
#include "views/dialogs/include_package_dialog.h"
#include "views/dialogs/install_file_dialog.h"
#include "views/dialogs/language_file_dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace tb::test {
namespace {

// Answers the next Condition dialog with text, or cancels it for a null text.
class ConditionAnswer {
public:
    explicit ConditionAnswer(const char* text)
        : when_([text](ConditionDialog& d) {
              if (!text) {
                  d.cancelButton()->click();
                  return;
              }
              d.conditionBox()->setText(QString::fromUtf8(text));
              d.okButton()->click();
          }) {}
    bool seen() const { return when_.seen(); }

private:
    WhenModal<ConditionDialog> when_;
};

TEST_F(DesignerTest, FilesAreAddedInTheOrderChosenAndTheLastIsSelected) {
    files.many = {QString::fromStdString(dir.file("a.txt")),
                  QString::fromStdString(dir.file("b.dll"))};
    select("InstallFile [\\private\\a0001234\\help.txt]");
    view.runAddAction(AddAction::InstallFiles);
    EXPECT_EQ(files.asked.mid(0, 2), (QStringList{"Add File(s)", "All Files (*.*)"}));
    EXPECT_NE(shown().find("      InstallFile [\\private\\a0001234\\help.txt]\n"
                           "      InstallFile [\\private\\a0001234\\a.txt]\n"
                           "      InstallFile [\\sys\\bin\\b.dll]\n"
                           "      ShowDialog [Intro]\n"),
              std::string::npos)
        << shown();
    EXPECT_EQ(selected(), "InstallFile [\\sys\\bin\\b.dll]");

    files.many = {QString::fromStdString(dir.file("guide.html"))};
    tree.selectNode(tree.rootNode());
    view.runAddAction(AddAction::LaunchFile);
    EXPECT_EQ(files.asked.mid(0, 2),
              (QStringList{"Add File To Launch In Viewer", "All Files (*.*)"}));
    const auto* launched = itemAs<InstallFileItem>(tree.selectedItem());
    ASSERT_TRUE(launched);
    EXPECT_EQ(selected(), "LaunchFile [.\\guide.html]");
    EXPECT_EQ(launched->fileType, FileType::FM);
    EXPECT_EQ(launched->mimeType, u"text/html");
    EXPECT_EQ(shown(), model());
    EXPECT_EQ(readBack(), model());
}

TEST_F(DesignerTest, ConditionBlocksGetBranchesThatMoveBetweenTheirIfAndElse) {
    {
        ConditionAnswer answer("LANGUAGE = 2");
        view.runAddAction(AddAction::ConditionBlock);
        EXPECT_TRUE(answer.seen());
    }
    EXPECT_EQ(selected(), "IF [LANGUAGE = 2]");
    InstallItem* block = tree.selectedItem()->parent;
    EXPECT_EQ(block->previous->kind, InstallItemKind::ConditionBlock) << "appended at the end";

    for (const char* condition : {"LANGUAGE = 3", "LANGUAGE = 4"}) {
        select("IF [LANGUAGE = 2]");
        ConditionAnswer answer(condition);
        view.addElseIf();
    }
    view.addElse();
    QTreeWidgetItem* first = tree.nodeOf(block->firstChild);
    const int at = tree.rootNode()->indexOfChild(first);
    auto labels = [&] {
        std::string text;
        for (int i = at; i < tree.rootNode()->childCount(); ++i)
            text += tree.rootNode()->child(i)->text(0).toStdString() + ";";
        return text;
    };
    EXPECT_EQ(labels(), "IF [LANGUAGE = 2];ELSEIF [LANGUAGE = 4];ELSEIF [LANGUAGE = 3];ELSE;");
    EXPECT_EQ(selected(), "ELSE");
    EXPECT_FALSE(CanAddElse(tree.selectedItem()));

    select("ELSEIF [LANGUAGE = 3]");
    EXPECT_TRUE(commands.isEnabled(ui::cmd::kMoveUp));
    EXPECT_FALSE(commands.isEnabled(ui::cmd::kMoveDown)) << "ELSE stays last";
    commands.execute(ui::cmd::kMoveUp);
    EXPECT_EQ(labels(), "IF [LANGUAGE = 2];ELSEIF [LANGUAGE = 3];ELSEIF [LANGUAGE = 4];ELSE;");
    EXPECT_FALSE(commands.isEnabled(ui::cmd::kMoveUp)) << "IF stays first";
    EXPECT_EQ(selected(), "ELSEIF [LANGUAGE = 3]");

    // Items selected inside a branch go there; Enter edits its condition.
    files.answer = QString::fromStdString(dir.write("Branch.txt", "x"));
    view.runAddAction(AddAction::Dialog, AddMenuPlace::ItemMenu, true);
    EXPECT_EQ(tree.selectedNode()->parent()->text(0), "ELSEIF [LANGUAGE = 3]");
    select("ELSEIF [LANGUAGE = 3]");
    {
        ConditionAnswer answer("LANGUAGE = 5 OR LANGUAGE = 6");
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(&tree, &enter);
        EXPECT_TRUE(answer.seen());
    }
    EXPECT_EQ(selected(), "ELSEIF [(LANGUAGE = 5) OR (LANGUAGE = 6)]");
    EXPECT_EQ(selected(), "ELSEIF [(LANGUAGE = 5) OR (LANGUAGE = 6)]");
    EXPECT_EQ(shown(), model());
    EXPECT_EQ(readBack(), model());

    // The IF node moves the whole block.
    select("IF [LANGUAGE = 2]");
    commands.execute(ui::cmd::kMoveUp);
    EXPECT_EQ(tree.rootNode()->indexOfChild(tree.selectedNode()), at - 2);
    EXPECT_EQ(shown(), model());
    EXPECT_EQ(readBack(), model());

    // Cancel adds nothing.
    const std::string before = shown();
    ConditionAnswer cancel(nullptr);
    view.runAddAction(AddAction::ConditionBlock);
    EXPECT_EQ(shown(), before);
}

TEST_F(DesignerTest, NullFilesAreNamedInTheReducedInstallFileDialog) {
    select("LaunchFile [view.txt]");
    {
        WhenModal<InstallFileDialog> name([](InstallFileDialog& d) {
            EXPECT_EQ(d.installTypeBox(), nullptr) << "target and drive only";
            d.nameBox()->setText("state.dat");
            d.okButton()->click();
        });
        view.runAddAction(AddAction::NullFile);
        EXPECT_TRUE(name.seen());
    }
    EXPECT_EQ(selected(), "NullFile [\\private\\a0001234\\state.dat]");
    EXPECT_EQ(tree.rootNode()->indexOfChild(tree.selectedNode()), 2);
    EXPECT_EQ(readBack(), model());

    const std::string before = shown();
    WhenModal<InstallFileDialog> cancel([](InstallFileDialog& d) { d.cancelButton()->click(); });
    view.runAddAction(AddAction::NullFile);
    EXPECT_TRUE(cancel.seen());
    EXPECT_EQ(shown(), before) << "a cancelled null file is taken out again";
    EXPECT_EQ(model(), before);
}

TEST_F(DesignerTest, EachNodeKindIsEditedInItsDialogAndRelabelled) {
    {
        WhenModal<IncludePackageDialog> ok([](IncludePackageDialog& d) { d.okButton()->click(); });
        emit tree.itemDoubleClicked(node("IncludePackage [sub.sis]"), 0);
        EXPECT_TRUE(ok.seen()) << "a double-click edits";
    }
    {
        select("Option [\"Help\"]");
        WhenModal<EditOptionDialog> rename([](EditOptionDialog& d) {
            d.textBox()->setText("Manual");
            d.okButton()->click();
        });
        view.editButton()->click();
        EXPECT_TRUE(rename.seen());
        EXPECT_EQ(selected(), "Option [\"Manual\"]");
    }
    {
        // A language file keeps its edited label until the tree is built again.
        select("InstallLanguageFile [\\resource\\apps\\lang.rsc]");
        WhenModal<LanguageFileDialog> rename([](LanguageFileDialog& d) {
            d.nameBox()->setText("texts.rsc");
            d.okButton()->click();
        });
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Enter, Qt::NoModifier);
        QApplication::sendEvent(&tree, &enter);
        EXPECT_TRUE(rename.seen());
        EXPECT_EQ(selected(), "InstallLanguageFile (\\resource\\apps\\texts.rsc)");
    }
    view.deactivate();
    view.activate();
    EXPECT_EQ(shown(), model());
    EXPECT_NE(shown().find("InstallLanguageFile [\\resource\\apps\\texts.rsc]"), std::string::npos);
    EXPECT_TRUE(document().modified());
}

} // namespace
} // namespace tb::test
