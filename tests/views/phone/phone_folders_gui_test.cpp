#include "editing/user_folder_tree.h"
#include "views/phone/phone_view_fixture.h"

#include "ui/qt_text.h"

#include <sstream>

namespace tb::test {
namespace {

using ui::MessageAnswer;

const QString kFolderExists = QStringLiteral("Folder already exist.\nPlease enter a new name.");
const QString kBadFolderName = QStringLiteral(
    "The folder name cannot:\r\n- Contain any of the following characters: < > : \" / \\ ? * "
    "|\r\n- be system reserved names, including 'CON', 'AUX', 'PRN, 'COM1' and 'LPT1'\r\n- be "
    "'.' or '..'\r\n\r\nPlease enter a valid name.");

std::string PrivateFolders(const PackageDocument& document) {
    std::string text;
    for (const auto& folder : document.userFolders().privateFolder().children())
        text += (text.empty() ? "" : ",") + wideToUtf8(folder->name());
    return text;
}

// text line by line, the lines holding part with it changed to replacement, or dropped for none.
std::string Edited(const std::string& text, const std::string& part, const char* replacement) {
    std::string edited, line;
    std::istringstream lines(text);
    while (std::getline(lines, line)) {
        const size_t at = line.find(part);
        if (at != std::string::npos && !replacement)
            continue;
        if (at != std::string::npos)
            line.replace(at, part.size(), replacement);
        edited += line + "\n";
    }
    return edited;
}

// New folders count from NewFolder2 and open their label edit; a sibling's name (in any case)
// and a reserved name are refused, each reopening the edit on the refused text.
TEST_F(PhoneViewTest, NewFoldersAndRenameRefusals) {
    select({"[Private]"});
    view.addFolder();
    ASSERT_TRUE(editor());
    EXPECT_EQ(editor()->text(), "NewFolder");
    enterName("NewFolder");
    EXPECT_FALSE(editor()) << "its own name is taken as it is";

    select({"[Private]"});
    view.addFolder();
    EXPECT_EQ(SelectedPath(tree), "[Private]/NewFolder2");
    const struct {
        const char* name;
        const QString& message;
    } refusals[] = {{"DATA", kFolderExists},
                    {"NewFolder", kFolderExists},
                    {"aux", kBadFolderName},
                    {"a:b", kBadFolderName},
                    {"", kBadFolderName}};
    for (const auto& refusal : refusals) {
        boxes.shown.clear();
        enterName(refusal.name);
        ASSERT_EQ(boxes.shown.size(), 1u) << refusal.name;
        EXPECT_EQ(boxes.shown[0].text, refusal.message);
        ASSERT_TRUE(editor()) << "the edit opens again";
        EXPECT_EQ(editor()->text(), refusal.name);
        EXPECT_EQ(SelectedPath(tree), "[Private]/NewFolder2");
    }
    boxes.shown.clear();
    enterName("Docs");
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(PrivateFolders(document), "data,Docs,NewFolder,other");
    EXPECT_EQ(children({"[Private]"}),
              "data{a.txt,cache.dat,sub{b.txt,deep{c.txt}}},Docs,NewFolder,other{d.txt},"
              "readme.txt");
    EXPECT_FALSE(document.modified()) << "empty folders are not in the package";

    select({"[Resources]"});
    view.addFolder();
    EXPECT_EQ(PrivateFolders(document), "data,Docs,NewFolder,other") << "private only";
}

// Every file below the folder, in options and condition branches too, follows the new name in
// one batch; files beside it do not.
TEST_F(PhoneViewTest, RenameCarriesEveryFileBelowTheFolder) {
    const std::string before = Targets(document);
    select({"[Private]", "data"});
    view.renameFolder();
    enterName("Docs");
    EXPECT_EQ(Targets(document), Edited(before, "\\a0001234\\data\\", "\\a0001234\\Docs\\"));
    EXPECT_EQ(log.seen, (std::vector<std::string>{"(", "Changed Phone", "Changed Phone",
                                                  "Changed Phone", "Changed Phone", ")"}));
    EXPECT_EQ(SelectedPath(tree), "[Private]/Docs");

    // A nested folder, and only the case changed.
    select({"[Private]", "Docs", "sub"});
    view.renameFolder();
    enterName("SUB");
    EXPECT_NE(Targets(document).find("\\Docs\\SUB\\deep\\c.txt"), std::string::npos);
    EXPECT_EQ(SelectedPath(tree), "[Private]/Docs/SUB");
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
    EXPECT_EQ(Targets(document), Edited(before, "\\a0001234\\data\\", nullptr));
    EXPECT_EQ(log.seen, (std::vector<std::string>{"(", "Removed Phone", "Removed Phone",
                                                  "Removed Phone", "Removed Phone", ")"}));
    EXPECT_EQ(PrivateFolders(document), "other");
    EXPECT_EQ(children({"[Private]"}), "other{d.txt},readme.txt");

    // The option and the condition stay, now without files; the package still saves.
    EXPECT_EQ(document.save(), err::kOk);
}

// Files go to the end of the top level with the folder's path, whatever their extension
// would choose; the dialog offers the folder's filters.
TEST_F(PhoneViewTest, AddsFilesStraightIntoAFolder) {
    files.many = {ui::HostPathToQString(dir.write("in/tool.exe", "")),
                  ui::HostPathToQString(dir.write("in/notes.txt", ""))};
    select({"[Binaries]"});
    view.addFiles();
    EXPECT_EQ(files.asked.value(1),
              "Applications (*.exe; *.app) (*.exe *.app);;Dynamic Link Libraries (*.dll);;"
              "Device Driver Files(*.ldd; *.pdd) (*.ldd *.pdd);;Protocol Modules (*.prt);;"
              "ECOM Plugins (*.ecomiic; *.plugin) (*.ecomiic *.plugin);;CTL Files (*.ctl);;"
              "MDL Files (*.mdl);;CSY Files (*.csy);;All Files (*.*)");
    EXPECT_TRUE(Targets(document).ends_with("\\sys\\bin\\tool.exe\n\\sys\\bin\\notes.txt\n"));
    EXPECT_EQ(SelectedPath(tree), "[Binaries]/notes.txt");
    EXPECT_EQ(log.seen, (std::vector<std::string>{"(", "Added Phone", "Added Phone", ")"}));

    files.many = {ui::HostPathToQString(dir.write("in/b.txt", ""))};
    select({"[Private]", "data", "sub"});
    view.addFiles();
    EXPECT_EQ(files.asked[1], "All Files (*.*)");
    EXPECT_TRUE(Targets(document).ends_with("\\private\\a0001234\\data\\sub\\b.txt\n"));
    EXPECT_EQ(children({"[Private]", "data", "sub"}), "b.txt,b.txt,deep{c.txt}");

    files.many.clear();
    log.seen.clear();
    view.addFiles();
    EXPECT_TRUE(log.seen.empty()) << "cancelled";
}

} // namespace
} // namespace tb::test
