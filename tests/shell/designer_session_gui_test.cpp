// A whole session in the window: a package put together in the Designer through the Insert
// menu and the tool bar, saved, opened again and built.
#include "build_gui_fixture.h"

#include "shell/build_command.h"
#include "shell/build_completed_dialog.h"
#include "shell/main_window.h"
#include "views/designer/designer_fixture.h"

#include <QMenuBar>
#include <QPushButton>

#include <filesystem>

namespace tb::test {
namespace {

namespace cmd = ui::cmd;

class DesignerSessionTest : public BuildGuiTest {
protected:
    void SetUp() override {
        ASSERT_EQ(app.document.save(), 0);
        const std::string path = app.document.filePath();
        ASSERT_TRUE(window.openPackage(path, false))
            << path << ": " << (boxes.shown.empty() ? "" : boxes.shown[0].text.toStdString());
        showDesigner();
    }

    void showDesigner() { commands.execute(cmd::kFirstView + int(ViewIndex::Designer)); }
    DesignerView& designer() const {
        return *static_cast<DesignerView*>(window.view(int(ViewIndex::Designer)));
    }
    SequenceTree& tree() const { return *designer().tree(); }
    std::string shown() const { return ShownTree(tree().rootNode()); }
    void select(const char* label) {
        const auto found = tree().findItems(label, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_FALSE(found.isEmpty()) << label;
        tree().selectNode(found.front());
    }
    void insertFiles(std::initializer_list<const char*> names) {
        files.many.clear();
        for (const char* name : names)
            files.many << QString::fromStdString(dir.write(name, name));
        EXPECT_TRUE(commands.execute(cmd::kInsertFile));
    }
    QMenu* menu(const QString& title) const {
        for (QAction* action : window.menuBar()->actions())
            if (action->text() == title)
                return action->menu();
        return nullptr;
    }

    ChosenFiles files;
    MainWindow window{app, commands};
};

TEST_F(DesignerSessionTest, InsertMenuAddsWhileTheDesignerIsShown) {
    QStringList titles;
    for (QAction* action : window.menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles.mid(0, 4), (QStringList{"&File", "&View", "&Insert", "&Build"}));
    ASSERT_TRUE(menu("&Insert"));
    EXPECT_EQ(Entries(*menu("&Insert")),
              "+File... -Language File... +Option List... -Option... +Dialog[+New... +From "
              "File... ] +Embedded SIS... -Language Embedded SIS... | +Condition Block... +Null "
              "File... ");

    // Which entry is enabled where is AddActionRulesTest's; the menu follows the selection.
    EXPECT_FALSE(commands.isEnabled(cmd::kInsertOption)) << "no option list selected";
    commands.execute(cmd::kInsertOptionList);
    select("ShowOptionList");
    EXPECT_TRUE(commands.isEnabled(cmd::kInsertOption));

    commands.execute(cmd::kFirstView + int(ViewIndex::GeneralInfo));
    for (int id = cmd::kInsertFile; id <= cmd::kInsertNullFile; ++id)
        EXPECT_FALSE(commands.isEnabled(id)) << id;
    EXPECT_FALSE(commands.isEnabled(cmd::kMoveUp) || commands.isEnabled(cmd::kMoveDown));
}

TEST_F(DesignerSessionTest, APackageMadeInTheDesignerSavesReopensAndBuilds) {
    insertFiles({"data/b.txt", "data/c.dll"});

    tree().selectNode(tree().rootNode());
    commands.execute(cmd::kInsertOptionList);
    insertFiles({"data/d.txt"});
    select("ShowOptionList");
    commands.execute(cmd::kInsertOption);
    EXPECT_EQ(designer().tree()->selectedNode()->text(0), "Option [\"Option 2\"]");
    insertFiles({"data/e.txt", "data/f.txt"});

    tree().selectNode(tree().rootNode());
    files.answer = QString::fromStdString(dir.write("Welcome.txt", "Welcome!"));
    commands.execute(cmd::kInsertDialogFromFile);
    files.answer = QString::fromStdString(
        dir.write("sub.sis", std::string("\0\0\0\0\0\0\0\0\x78\x56\x34\x12\0\0\0\0", 16)));
    commands.execute(cmd::kInsertEmbeddedSis);

    // Reorder: the embedded package goes up into the last option, the first file down.
    select("IncludePackage [.\\sub.sis]");
    commands.execute(cmd::kMoveUp);
    commands.execute(cmd::kMoveUp);
    select("InstallFile [\\private\\80000000\\b.txt]");
    commands.execute(cmd::kMoveDown);

    const std::string made = shown();
    EXPECT_EQ(made, R"(Install Start
  InstallFile []
  InstallFile [\sys\bin\c.dll]
  InstallFile [\private\80000000\b.txt]
  ShowOptionList
    Option ["Option 1"]
      InstallFile [\private\80000000\d.txt]
    Option ["Option 2"]
      InstallFile [\private\80000000\e.txt]
      InstallFile [\private\80000000\f.txt]
      IncludePackage [.\sub.sis]
  ShowDialog [Welcome]
)") << made;
    ASSERT_TRUE(commands.execute(cmd::kSave));
    EXPECT_FALSE(app.document.modified());

    app.document.close();
    ASSERT_TRUE(window.openPackage(dir.file("App.pkg"), false));
    showDesigner();
    EXPECT_EQ(shown(), made);

    bool built = false;
    WhenModal<BuildCompletedDialog> completed([&](BuildCompletedDialog& d) {
        built = true;
        d.closeButton()->click();
    });
    RunBuildCommand(&window, app, [] {});
    WaitFor([this] { return !app.buildController.building(); });
    QCoreApplication::processEvents();
    EXPECT_TRUE(built) << (boxes.shown.empty() ? "" : boxes.shown[0].text.toStdString());
    EXPECT_TRUE(std::filesystem::exists(dir.file("App.sis")));
}

} // namespace
} // namespace tb::test
