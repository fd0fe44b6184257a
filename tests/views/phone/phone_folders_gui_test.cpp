#include "editing/user_folder_tree.h"
#include "views/dialogs/file_dialog_fixture.h"
#include "views/phone/phone_view_fixture.h"

#include "ui/qt_text.h"

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

// New folders count from NewFolder2 and open their label edit; a sibling's name (in any case)
// and a reserved name are refused, each reopening the edit on the refused text.
TEST_F(PhoneViewTest, NewFoldersAndRenameRefusals) {
    select({"[Private]"});
    view.addFolder();
    EXPECT_EQ(SelectedPath(tree), "[Private]/NewFolder");
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
        EXPECT_EQ(boxes.shown[0].icon, ui::MessageIcon::Error);
        ASSERT_TRUE(editor()) << "the edit opens again";
        EXPECT_EQ(editor()->text(), refusal.name);
        EXPECT_EQ(SelectedPath(tree), "[Private]/NewFolder2");
    }
    boxes.shown.clear();
    enterName("Docs");
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(SelectedPath(tree), "[Private]/Docs");
    EXPECT_EQ(PrivateFolders(app.document), "data,Docs,NewFolder,other");
    EXPECT_EQ(children({"[Private]"}),
              "data{a.txt,cache.dat,sub{b.txt,deep{c.txt}}},Docs,NewFolder,other{d.txt},"
              "readme.txt");
    EXPECT_FALSE(app.document.modified()) << "empty folders are not in the package";

    select({"[Resources]"});
    view.addFolder();
    EXPECT_EQ(PrivateFolders(app.document), "data,Docs,NewFolder,other") << "private only";
}

// Every file below the folder, in options and condition branches too, follows the new name in
// one batch; files beside it do not.
TEST_F(PhoneViewTest, RenameCarriesEveryFileBelowTheFolder) {
    select({"[Private]", "data"});
    view.renameFolder();
    enterName("Docs");
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(Targets(app.document), "\\sys\\bin\\app.exe\n"
                                     "\\private\\a0001234\\Docs\\a.txt\n"
                                     "\\private\\a0001234\\readme.txt\n"
                                     "\\private\\a0001234\\Docs\\cache.dat\n"
                                     "\n" // launched in a viewer
                                     "\\data\\loose.txt\n"
                                     "\\resource\\apps\\lang.rsc\n"
                                     "\\private\\10003a3f\\import\\apps\\app_reg.rsc\n"
                                     "\\private\\a0001234\\Docs\\sub\\b.txt\n"
                                     "\\private\\a0001234\\Docs\\sub\\deep\\c.txt\n"
                                     "\\private\\a0001234\\other\\d.txt\n");
    EXPECT_EQ(events.seen, (std::vector<std::string>{"(", "Changed Phone", "Changed Phone",
                                                     "Changed Phone", "Changed Phone", ")"}));
    EXPECT_TRUE(app.document.modified());
    EXPECT_EQ(SelectedPath(tree), "[Private]/Docs");
    EXPECT_EQ(children({"[Private]"}),
              "Docs{a.txt,cache.dat,sub{b.txt,deep{c.txt}}},other{d.txt},readme.txt");

    // A nested folder, and only the case changed.
    select({"[Private]", "Docs", "sub"});
    view.renameFolder();
    enterName("SUB");
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_NE(Targets(app.document).find("\\Docs\\SUB\\deep\\c.txt"), std::string::npos);
    EXPECT_EQ(SelectedPath(tree), "[Private]/Docs/SUB");
}

// The folder's files go at any depth, from options and condition branches too, with its
// sub-folders; Cancel keeps everything.
TEST_F(PhoneViewTest, RemovingAFolderTakesItsFilesInsideOptionsAndConditions) {
    const std::string before = Targets(app.document);
    select({"[Private]", "data"});
    boxes.answers = {MessageAnswer::Cancel};
    view.removeNode();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "'data' and all its files will be removed from the package.");
    EXPECT_EQ(boxes.shown[0].buttons, ui::MessageButtons::OkCancel);
    EXPECT_EQ(boxes.shown[0].icon, ui::MessageIcon::Question);
    EXPECT_EQ(Targets(app.document), before);
    EXPECT_FALSE(app.document.modified());

    boxes.answers = {MessageAnswer::Ok};
    view.removeNode();
    EXPECT_EQ(Targets(app.document), "\\sys\\bin\\app.exe\n"
                                     "\\private\\a0001234\\readme.txt\n"
                                     "\n"
                                     "\\data\\loose.txt\n"
                                     "\\resource\\apps\\lang.rsc\n"
                                     "\\private\\10003a3f\\import\\apps\\app_reg.rsc\n"
                                     "\\private\\a0001234\\other\\d.txt\n");
    EXPECT_EQ(events.seen, (std::vector<std::string>{"(", "Removed Phone", "Removed Phone",
                                                     "Removed Phone", "Removed Phone", ")"}));
    EXPECT_EQ(PrivateFolders(app.document), "other");
    EXPECT_EQ(children({"[Private]"}), "other{d.txt},readme.txt");
    EXPECT_EQ(SelectedPath(tree), "[Private]");
    EXPECT_TRUE(app.document.modified());

    // The option and the condition stay, now without files; the package still saves.
    EXPECT_EQ(app.document.save(), err::kOk);
}

// Files go to the end of the top level with the folder's path, whatever their extension
// would choose; the dialog offers the folder's filters.
TEST_F(PhoneViewTest, AddsFilesStraightIntoAFolder) {
    SeveralFileDialogs dialogs;
    dialogs.answers = {ui::HostPathToQString(dir.write("in/tool.exe", "")),
                       ui::HostPathToQString(dir.write("in/notes.txt", ""))};
    select({"[Binaries]"});
    view.addFiles();
    ASSERT_EQ(dialogs.asked.size(), 3);
    EXPECT_EQ(dialogs.asked[0], "Add File(s)");
    EXPECT_EQ(dialogs.asked[1],
              "Applications (*.exe; *.app) (*.exe *.app);;Dynamic Link Libraries (*.dll);;"
              "Device Driver Files(*.ldd; *.pdd) (*.ldd *.pdd);;Protocol Modules (*.prt);;"
              "ECOM Plugins (*.ecomiic; *.plugin) (*.ecomiic *.plugin);;CTL Files (*.ctl);;"
              "MDL Files (*.mdl);;CSY Files (*.csy);;All Files (*.*)");
    const InstallItem* last = app.document.package()->items.last;
    ASSERT_TRUE(last && last->previous);
    EXPECT_EQ(itemAs<InstallFileItem>(last->previous)->target, u"\\sys\\bin\\tool.exe");
    EXPECT_EQ(itemAs<InstallFileItem>(last)->target, u"\\sys\\bin\\notes.txt");
    EXPECT_EQ(SelectedPath(tree), "[Binaries]/notes.txt");
    EXPECT_EQ(children({"[Binaries]"}), "app.exe,notes.txt,tool.exe");
    EXPECT_EQ(events.seen, (std::vector<std::string>{"(", "Added Phone", "Added Phone", ")"}));
    EXPECT_TRUE(app.document.modified());

    dialogs.answers = {ui::HostPathToQString(dir.write("in/b.txt", ""))};
    select({"[Private]", "data", "sub"});
    view.addFiles();
    EXPECT_EQ(dialogs.asked[1], "All Files (*.*)");
    EXPECT_EQ(itemAs<InstallFileItem>(app.document.package()->items.last)->target,
              u"\\private\\a0001234\\data\\sub\\b.txt");
    EXPECT_EQ(SelectedPath(tree), "[Private]/data/sub/b.txt");
    EXPECT_EQ(children({"[Private]", "data", "sub"}), "b.txt,b.txt,deep{c.txt}");

    dialogs.answers.clear();
    events.seen.clear();
    view.addFiles();
    EXPECT_TRUE(events.seen.empty()) << "cancelled";
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
} // namespace tb::test
