// A whole session in the window: a package put together in the Designer through the Insert
// menu and the tool bar, saved, opened again and built.
#include "build_gui_fixture.h"

#include "shell/build_completed_dialog.h"
#include "shell/main_window.h"
#include "views/designer/designer_fixture.h"

#include <QPushButton>

#include <filesystem>

namespace tb::test {
namespace {

namespace cmd = ui::cmd;

class DesignerSessionTest : public BuildGuiTest {
protected:
    void SetUp() override {
        ASSERT_EQ(app.document.save(), 0);
        ASSERT_TRUE(window.openPackage(app.document.filePath(), false)) << firstBox();
        showDesigner();
    }

    void showDesigner() { commands.execute(cmd::kFirstView + int(ViewIndex::Designer)); }
    SequenceTree& tree() const {
        return *static_cast<DesignerView*>(window.view(int(ViewIndex::Designer)))->tree();
    }
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

    ChosenFiles files;
    MainWindow window{app, commands};
};

TEST_F(DesignerSessionTest, APackageMadeInTheDesignerSavesReopensAndBuilds) {
    insertFiles({"data/b.txt", "data/c.dll"});

    tree().selectNode(tree().rootNode());
    commands.execute(cmd::kInsertOptionList);
    insertFiles({"data/d.txt"});
    select("ShowOptionList");
    commands.execute(cmd::kInsertOption);
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

    app.document.close();
    ASSERT_TRUE(window.openPackage(dir.file("App.pkg"), false));
    showDesigner();
    EXPECT_EQ(shown(), made);

    WhenModal<BuildCompletedDialog> completed(
        [](BuildCompletedDialog& d) { d.closeButton()->click(); });
    runBuild(&window);
    EXPECT_TRUE(completed.seen()) << firstBox();
    EXPECT_TRUE(std::filesystem::exists(dir.file("App.sis")));
}

} // namespace
} // namespace tb::test
