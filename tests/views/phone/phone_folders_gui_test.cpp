// The folder rules (names, files below a folder, renamed targets) are PhoneRulesTest's; here
// the view asks, refuses as it is typed and edits the package in one batch.
#include "views/phone/phone_view_fixture.h"

#include "ui/qt_text.h"

namespace tb::test {
namespace {

using ui::MessageAnswer;

std::string PrivateFolders(const PackageDocument& document) {
    std::string text;
    for (const auto& folder : document.userFolders().privateFolder().children())
        text += (text.empty() ? "" : ",") + wideToUtf8(folder->name());
    return text;
}

// New folders count from NewFolder2 and open their label edit; a refused name reopens the edit
// on the refused text. The new folder then takes the files renamed into it.
TEST_F(PhoneViewTest, NewFoldersRefusalsAndARenameThatCarriesTheFiles) {
    select({"[Private]"});
    view.addFolder();
    ASSERT_TRUE(editor());
    EXPECT_EQ(editor()->text(), "NewFolder");
    enterName("NewFolder");
    EXPECT_FALSE(editor()) << "its own name is taken as it is";

    select({"[Private]"});
    view.addFolder();
    EXPECT_EQ(SelectedPath(tree), "[Private]/NewFolder2");
    const QString refusals[] = {
        "Folder already exist.\nPlease enter a new name.",
        "The folder name cannot:\r\n- Contain any of the following characters: < > : \" / \\ ? "
        "* |\r\n- be system reserved names, including 'CON', 'AUX', 'PRN, 'COM1' and "
        "'LPT1'\r\n- be '.' or '..'\r\n\r\nPlease enter a valid name."};
    const char* const refused[] = {"DATA", "aux"};
    for (int i = 0; i < 2; ++i) {
        boxes.shown.clear();
        enterName(refused[i]);
        EXPECT_EQ(shownTexts(), std::vector<QString>{refusals[i]});
        ASSERT_TRUE(editor()) << "the edit opens again";
        EXPECT_EQ(editor()->text(), refused[i]);
    }
    enterName("Docs");
    EXPECT_EQ(PrivateFolders(document), "data,Docs,NewFolder,other");
    EXPECT_FALSE(document.modified()) << "empty folders are not in the package";
    select({"[Resources]"});
    view.addFolder();
    EXPECT_EQ(PrivateFolders(document), "data,Docs,NewFolder,other") << "private only";

    log.seen.clear();
    select({"[Private]", "data"});
    view.renameFolder();
    enterName("Stuff");
    EXPECT_EQ(Targets(document).find("\\a0001234\\data\\"), std::string::npos);
    EXPECT_NE(Targets(document).find("\\a0001234\\Stuff\\sub\\deep\\c.txt"), std::string::npos);
    EXPECT_EQ(log.seen, (std::vector<std::string>{"(", "Changed Phone", "Changed Phone",
                                                  "Changed Phone", "Changed Phone", ")"}));
    EXPECT_EQ(SelectedPath(tree), "[Private]/Stuff");
}

// The folder's files go at any depth, from options and condition branches too, with its
// sub-folders; Cancel keeps everything.
TEST_F(PhoneViewTest, RemovingAFolderTakesItsFilesInsideOptionsAndConditions) {
    const std::string before = Targets(document);
    select({"[Private]", "data"});
    boxes.answers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    view.removeNode();
    EXPECT_EQ(Targets(document), before);
    view.removeNode();
    EXPECT_EQ(shownTexts(), std::vector<QString>(
                                2, "'data' and all its files will be removed from the package."));
    EXPECT_EQ(Targets(document).find("\\a0001234\\data\\"), std::string::npos);
    EXPECT_EQ(log.seen, (std::vector<std::string>{"(", "Removed Phone", "Removed Phone",
                                                  "Removed Phone", "Removed Phone", ")"}));
    EXPECT_EQ(children({"[Private]"}), "other{d.txt},readme.txt");
    EXPECT_EQ(document.save(), err::kOk) << "the option and the condition stay, empty";
}

// Files go to the end of the top level with the folder's path, whatever their extension
// would choose; the dialog offers the folder's filters.
TEST_F(PhoneViewTest, AddsFilesStraightIntoAFolder) {
    files.many = {ui::HostPathToQString(dir.write("in/tool.exe", "")),
                  ui::HostPathToQString(dir.write("in/notes.txt", ""))};
    select({"[Binaries]"});
    view.addFiles();
    EXPECT_TRUE(files.asked.value(1).startsWith(
        "Applications (*.exe; *.app) (*.exe *.app);;Dynamic Link Libraries (*.dll);;"));
    EXPECT_TRUE(Targets(document).ends_with("\\sys\\bin\\tool.exe\n\\sys\\bin\\notes.txt\n"));
    EXPECT_EQ(SelectedPath(tree), "[Binaries]/notes.txt");
    EXPECT_EQ(log.seen, (std::vector<std::string>{"(", "Added Phone", "Added Phone", ")"}));

    files.many = {ui::HostPathToQString(dir.write("in/b.txt", ""))};
    select({"[Private]", "data", "sub"});
    view.addFiles();
    EXPECT_EQ(children({"[Private]", "data", "sub"}), "b.txt,b.txt,deep{c.txt}");

    files.many.clear();
    log.seen.clear();
    view.addFiles();
    EXPECT_TRUE(log.seen.empty()) << "cancelled";
}

} // namespace
} // namespace tb::test
