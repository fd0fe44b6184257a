// Files and folders on the device: where a new file goes, what the file dialogs and the File
// Overview show, where targets move when the UID changes, the user's folders below the private
// folder, the folder trees the Phone view shows and the rules of its folders' rename and removal.
#include "editing/device_folders.h"
#include "editing/file_checks.h"
#include "editing/file_choices.h"
#include "editing/file_rows.h"
#include "editing/file_sources.h"
#include "editing/folder_display_tree.h"
#include "editing/phone_rules.h"
#include "editing/sequence_text.h"
#include "editing/uid_change.h"
#include "editing/user_folder_tree.h"
#include "model/package.h"
#include "util/text_convert.h"

#include <gtest/gtest.h>

#include <optional>

namespace tb {
namespace {

constexpr uint32_t kUid = 0xA0001234, kRegistrationUid = 0x10003A3F;

TEST(DeviceFoldersTest, DefaultTargetAndCategoryMaskByExtension) {
    EXPECT_EQ(PrivateFolderPath(0x0000ABCD), u"\\private\\abcd") << "no leading zeros";
    constexpr std::optional<uint32_t> none;
    const std::tuple<const char16_t*, const char16_t*, std::optional<uint32_t>> cases[] = {
        {u"app.exe", u"\\sys\\bin\\app.exe", 1},
        {u"app_reg.rsc", u"\\private\\10003a3f\\import\\apps\\app_reg.rsc", 30},
        {u"app_REG.rsc", u"\\resource\\apps\\app_REG.rsc", 30},
        {u"app_reg.rsc.bak", u"\\private\\a0001234\\app_reg.rsc.bak", 2},
        {u"icons.mif", u"\\resource\\apps\\icons.mif", 8},
        {u"pics.mbm", u"\\resource\\apps\\pics.mbm", 10},
        {u"guide.hlp", u"\\resource\\help\\guide.hlp", 32},
        {u"APP.EXE", u"\\private\\a0001234\\APP.EXE", 2},
        {u"README", u"\\private\\a0001234\\README", none},
        {u".exe", u"\\private\\a0001234\\.exe", none},
        {u"$(EPOCROOT)epoc32\\release\\$(PLATFORM)\\$(TARGET)\\app.exe", u"\\sys\\bin\\app.exe", 1},
        {u"/home/dev/build.d/tool", u"\\private\\a0001234\\tool", none},
    };
    for (auto [source, target, mask] : cases) {
        EXPECT_EQ(DefaultTargetPath(source, kUid), target) << wideToUtf8(source);
        EXPECT_EQ(CategoryMask(source), mask) << wideToUtf8(source);
    }
}

TEST(DeviceFoldersTest, FolderAndDisplayFormOfATarget) {
    using F = DeviceFolder;
    const std::tuple<uint32_t, const char16_t*, std::optional<F>, const char16_t*> cases[] = {
        {kUid, u"\\sys\\bin\\app.exe", F::Binaries, u"[Binaries]"},
        {kUid, u"\\SYS\\Bin\\app.exe", F::Binaries, u"[Binaries]"},
        {kUid, u"\\sys\\binary\\app.exe", std::nullopt, u"-"},
        {kRegistrationUid, u"\\private\\10003a3f\\import\\apps\\a_reg.rsc", F::Registration,
         u"[Registration]"},
        {kRegistrationUid, u"\\private\\10003a3f\\import\\x.txt", F::Private, u"[Private]\\import"},
        {kUid, u"\\resource\\apps\\sub\\app.rsc", F::Resources, u"[Resources]"},
        {kUid, u"\\resource\\plugins\\p.rsc", F::Plugins, u"[ECOM-Plugins]"},
        {kUid, u"\\private\\a0001234\\data.txt", F::Private, u"[Private]"},
        {kUid, u"\\private\\A0001234\\Data\\x.png", F::Private, u"[Private]\\Data"},
        {kUid, u"\\private\\a0001234", F::Private, u"[Private]"},
        {kUid, u"\\private\\a00012345\\x.txt", std::nullopt, u"-"},
    };
    for (auto [uid, target, folder, form] : cases) {
        EXPECT_EQ(FolderOfTarget(target, uid), folder) << wideToUtf8(target);
        EXPECT_EQ(TargetDisplayForm(target, uid).value_or(u"-"), form) << wideToUtf8(target);
    }
}

TEST(UidChangeTest, OnlyTargetsInTheOldPrivateFolderMove) {
    constexpr uint32_t kNew = 0xE0000001;
    const std::tuple<uint32_t, const char16_t*, const char16_t*> cases[] = {
        {kUid, u"\\private\\a0001234\\x.txt", u"\\private\\e0000001\\x.txt"},
        {kUid, u"\\PRIVATE\\A0001234\\Data\\x.txt", u"\\private\\e0000001\\Data\\x.txt"},
        {kUid, u"\\private\\a0001234", u"\\private\\e0000001"},
        {kUid, u"\\private\\a00012345\\x.txt", u"-"}, // another UID that starts the same
        {kUid, u"\\sys\\bin\\app.exe", u"-"},
        // The registration folder lies inside this UID's private folder but is not it.
        {kRegistrationUid, u"\\private\\10003a3f\\import\\apps\\a_reg.rsc", u"-"},
        {kRegistrationUid, u"\\private\\10003a3f\\import\\x.txt",
         u"\\private\\e0000001\\import\\x.txt"},
        {kNew, u"\\private\\e0000001\\x.txt", u"-"}, // the same UID
    };
    for (auto [oldUid, target, moved] : cases) // "-": it stays
        EXPECT_EQ(MovedPrivateTarget(target, oldUid, kNew).value_or(u"-"), moved)
            << wideToUtf8(target);
}

// The stored path's edges are PathMacros', the target's DeviceFolders'.
TEST(FileSourcesTest, NewFilesAreStoredRelativeWithTheirDefaultTarget) {
    const SdkList sdks{SdkInfo{u"S60", u"S60", u"/opt/sdk"}};
    const std::tuple<const char16_t*, const char16_t*, const char16_t*> cases[] = {
        {u"/work/app/gfx/a.mbm", u".\\gfx\\a.mbm", u"\\resource\\apps\\a.mbm"},
        {u"/opt/sdk/epoc32/release/gcce/urel/app.exe",
         u"$(EPOCROOT)\\epoc32\\release\\$(PLATFORM)\\$(TARGET)\\app.exe", u"\\sys\\bin\\app.exe"},
    };
    for (auto [path, source, target] : cases) {
        std::unique_ptr<InstallFileItem> file = NewInstallFile(path, u"/work/app", sdks, kUid);
        EXPECT_EQ(std::tuple(file->source, file->target, file->drive, file->fileType),
                  std::tuple(WideText(source), WideText(target), u'!', FileType::FF));
    }
    EXPECT_EQ(StoredSourcePath(u"/work/app/a.txt", u"/work/app/", {}), u".\\a.txt");
}

TEST(FileChoicesTest, DialogsCheckNamesAndTellWhetherChoicesChangedAnything) {
    EXPECT_EQ(CheckTargetName(u"readme.txt"), std::nullopt);
    EXPECT_EQ(CheckTargetName(u""), kEnterTargetName);
    EXPECT_EQ(CheckTargetName(u"con"), kInvalidTargetName);
    EXPECT_EQ(CheckMimeType(u"text"), kInvalidMimeType);
    EXPECT_EQ(CheckMimeType(u"image/svg+xml"), std::nullopt);
    EXPECT_EQ(FirstMissingSource({u"a", u"b"}), std::nullopt);
    EXPECT_EQ(FirstMissingSource({u"a", u"", u""}), 1u);

    InstallFileItem file;
    file.drive = u'c';
    file.fileType = FileType::FR;
    file.runOption = RunOption::RR;
    file.runWaitEnd = false;
    EXPECT_FALSE(ApplyChoices(file, ChoicesOf(file)));
    // Each field alone is a change: the drive, the install type, the wait.
    for (InstallChoices step : {InstallChoices{0, 2, false}, {0, 0, false}, {0, 0, true}})
        EXPECT_TRUE(ApplyChoices(file, step)) << step.driveEntry << step.installTypeEntry;
    EXPECT_EQ(std::tuple(file.drive, file.fileType, file.runWaitEnd),
              std::tuple(u'!', FileType::FF, true));
    EXPECT_TRUE(ApplyChoices(file, {5, 3, true}));
    EXPECT_EQ(InstallTypeText(file.fileType, RunOption(7)), u"Run on installation");
    EXPECT_EQ(ChoicesOf(file).driveEntry, 5);
    EXPECT_EQ(std::tuple(file.drive, file.fileType, file.runOption),
              std::tuple(u'E', FileType::FR, RunOption::RB));

    const std::tuple<const char16_t*, const char16_t*, const char16_t*> targets[] = {
        {u"app.exe", u"", u"app.exe"}, {u"\\private\\a\\", u"\\private\\a\\", u""}};
    for (auto [target, folder, name] : targets) {
        const TargetParts parts = SplitTarget(target);
        EXPECT_EQ(std::pair(parts.folder, parts.name), std::pair(WideText(folder), WideText(name)));
    }
}

// A folder tree in one line: "name{child,child{grandchild}},sibling".
std::string FolderText(const UserFolder& folder) {
    std::string text;
    for (const auto& child : folder.children()) {
        text += (text.empty() ? "" : ",") + wideToUtf8(child->name());
        if (!child->children().empty())
            text += "{" + FolderText(*child) + "}";
    }
    return text;
}

std::string FolderText(const std::vector<FolderNode>& nodes) {
    std::string text;
    for (const FolderNode& node : nodes) {
        text += (text.empty() ? "" : ",") + wideToUtf8(node.name);
        if (!node.children.empty())
            text += "{" + FolderText(node.children) + "}";
    }
    return text;
}

// Files named a, b, c, ... at every depth: in options, in nested condition branches, a null
// file (f), a language-dependent file (g), a file launched in a viewer (h), files outside the
// private folder (i, l, m), one without target (n); targets written in other cases and with
// doubled backslashes as packages from elsewhere have them.
class FoldersTest : public ::testing::Test {
protected:
    void SetUp() override {
        package->uid = kUid;
        text.build(package->items, "a L{o1(b) o2(e)} B<x[C<y[c]> f]> d");
        language = static_cast<FileItemBase*>(
            AppendChild(package->items, std::make_unique<InstallLanguageFileItem>(1), nullptr));
        text.build(package->items, "h i j k l m n");
        retarget({
            {"a", u"\\private\\a0001234\\data\\a.txt"},
            {"b", u"\\private\\a0001234\\data\\sub\\b.txt"},
            {"c", u"\\private\\A0001234\\DATA\\\\sub\\\\c.txt"},
            {"d", u"\\private\\a0001234\\data"}, // a file called data
            {"e", u"\\private\\a0001234\\Data2\\e.txt"},
            {"f", u"\\private\\a0001234\\data\\f.dat"},
            {"g", u"\\private\\a0001234\\data\\g.rsc"},
            {"h", u"\\private\\a0001234\\data\\h.txt"},
            {"i", u"\\sys\\bin\\i.exe"},
            {"j", u"\\private\\a0001234\\\u00c4rger\\j.txt"},
            {"k", u"\\private\\a0001234\\data\\"},
            {"l", u"\\private\\a00012345\\stray\\l.txt"}, // another UID that starts the same
            {"m", u"\\private\\10003a3f\\import\\apps\\m_reg.rsc"},
        });
        file("f")->fileType = FileType::FN;
        file("h")->fileType = FileType::FM;
        folders.rebuild(*package);
    }

    void retarget(std::initializer_list<std::pair<const char*, const char16_t*>> targets) {
        for (auto [name, target] : targets)
            file(name)->target = target;
    }

    FileItemBase* file(const std::string& name) const {
        return name == "g" ? language : itemAs<InstallFileItem>(text[name]);
    }

    const UserFolder& folder(std::vector<std::u16string_view> path) const {
        const UserFolder* at = &folders.privateFolder();
        for (std::u16string_view name : path)
            at = at->find(name);
        return *at;
    }

    std::string name(const InstallItem* item) const {
        return item == language ? "g" : text.name(item);
    }

    std::unique_ptr<Package> package = CreatePackage({1});
    test::SequenceText text;
    FileItemBase* language = nullptr;
    UserFolderTree folders;
};

TEST_F(FoldersTest, RebuiltFoldersKnowTheirPathsAndTakeEveryTargetBelowThePrivateFolder) {
    const UserFolder& root = folders.privateFolder();
    const UserFolder& sub = folder({u"data", u"sub"});
    EXPECT_EQ(sub.subPath(), u"\\data\\sub");
    const std::pair<const char16_t*, const UserFolder*> cases[] = {
        {u"\\private\\A0001234\\DATA\\SUB\\other.txt", &sub},
        {u"\\private\\a0001234\\data\\sub\\missing\\x.txt", &sub},
        {u"\\private\\a0001234\\data\\sub\\", &sub},
        {u"\\private\\a0001234", &root},
        {u"\\private\\a00012345\\stray\\l.txt", nullptr},
    };
    for (auto [target, folder] : cases)
        EXPECT_EQ(folders.folderOf(target, kUid), folder) << wideToUtf8(target);

    // Each alone needs its folder: in an option, in nested branches, a null file, a language file.
    retarget({
        {"b", u"\\private\\a0001234\\opt\\b.txt"},
        {"c", u"\\private\\A0001234\\DATA\\if\\\\deep\\c.txt"},
        {"f", u"\\private\\a0001234\\gone\\f.dat"},
        {"g", u"\\private\\A0001234\\Upper\\g.rsc"},
    });
    folders.add(folders.privateFolder(), u"Empty");
    folders.rebuild(*package);
    // Alphabetical ignoring case; "DATA" is the folder "data" on the device.
    EXPECT_EQ(FolderText(folders.privateFolder()),
              "data{if{deep}},Data2,gone,opt,Upper,\u00c4rger");
}

TEST(UserFolderTreeTest, AddRenameRemoveKeepTheOrderAndRefuseTwins) {
    UserFolderTree tree;
    const UserFolder& root = tree.privateFolder();
    const UserFolder& beta = tree.add(root, u"beta");
    EXPECT_EQ(&tree.add(root, u"BETA"), &beta);
    const UserFolder& alpha = tree.add(root, u"alpha");
    tree.add(alpha, u"inner");
    EXPECT_EQ(FolderText(root), "alpha{inner},beta");

    EXPECT_FALSE(tree.rename(alpha, u"Beta"));
    EXPECT_FALSE(tree.rename(root, u"x"));
    EXPECT_TRUE(tree.rename(alpha, u"Alpha"));
    EXPECT_TRUE(tree.rename(alpha, u"gamma"));
    EXPECT_EQ(FolderText(root), "beta,gamma{inner}");
    EXPECT_EQ(alpha.children()[0]->devicePath(1), u"\\private\\1\\gamma\\inner");

    tree.remove(alpha);
    EXPECT_EQ(FolderText(root), "beta");
    tree.remove(root);
    EXPECT_TRUE(tree.empty());

    EXPECT_EQ(FreeNewFolderName(root), u"NewFolder");
    tree.add(root, u"newfolder");
    EXPECT_EQ(FreeNewFolderName(root), u"NewFolder2");
    tree.add(root, u"NewFolder2");
    tree.add(root, u"NewFolder4");
    EXPECT_EQ(FreeNewFolderName(root), u"NewFolder3");
    EXPECT_EQ(FreeNewFolderName(*root.children()[0]), u"NewFolder");
}

TEST(UserFolderTreeTest, MadeUpTargetsCannotNestWithoutEnd) {
    WideText target = u"\\private\\a0001234";
    for (int i = 0; i < 5000; ++i)
        target += u"\\d";
    target += u"\\x.txt";
    UserFolderTree tree;
    const UserFolder* folder = tree.addFoldersOf(target, kUid);
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->subPath().size(), 128u * 2);
    EXPECT_EQ(tree.folderOf(target, kUid), folder);
    EXPECT_EQ(tree.addFoldersOf(u"\\sys\\bin\\x.exe", kUid), nullptr);
}

// The device files are the files with a target not shown in a viewer. A folder's removal takes
// those below it (found as the folder tree finds them); its rename changes their targets, shown
// as "file:target" with the private folder's path left out.
TEST_F(FoldersTest, RemovalAndRenameTakeEveryDeviceFileBelowTheFolder) {
    std::string devices;
    for (InstallItem* item = package->items.first; item; item = NextInPreOrder(item, nullptr))
        if (DeviceFile(item))
            devices += name(item);
    EXPECT_EQ(devices, "abecfdgijklm"); // f stands in the first condition branch

    using Path = std::vector<std::u16string_view>;
    const std::tuple<Path, std::string, std::u16string_view, std::string> cases[] = {
        {{u"data"},
         "abcfgk",
         u"Docs", // not d, which is a file beside the folder
         R"(a:Docs\a.txt b:Docs\sub\b.txt c:Docs\\sub\\c.txt f:Docs\f.dat g:Docs\g.rsc k:Docs\ )"},
        // The same name: only a target that wrote the folder otherwise changes.
        {{u"DATA"}, "abcfgk", u"data", R"(c:data\\sub\\c.txt )"},
        // Doubled backslashes, other case.
        {{u"data", u"sub"}, "bc", u"S", R"(b:data\S\b.txt c:data\S\\c.txt )"},
        {{u"data2"}, "e", u"Data2", ""},                               // not the files of "data"
        {{u"\u00e4rger"}, "j", u"\u00e4rger", "j:\u00e4rger\\j.txt "}, // case beyond ASCII
        {{}, "abecfdgjk", u"x", ""}, // the private folder has no name of its own
    };
    const std::u16string_view privateFolder = u"\\private\\a0001234\\";
    for (const auto& [path, files, newName, changes] : cases) {
        const UserFolder& at = folder(path);
        std::string taken, changed;
        for (const FileItemBase* file : FilesInFolder(*package, at))
            taken += name(file);
        for (const TargetChange& change : RenamedTargets(*package, at, newName)) {
            std::u16string_view target = change.target;
            if (target.starts_with(privateFolder))
                target.remove_prefix(privateFolder.size());
            changed += name(change.file) + ":" + wideToUtf8(target) + " ";
        }
        EXPECT_EQ(std::pair(taken, changed), std::pair(files, changes))
            << wideToUtf8(at.subPath()) << " to " << wideToUtf8(newName);
    }
}

// The File Overview lists the files inside options and condition branches in sequence order;
// not viewer files, null files, files without target or language-dependent files.
TEST_F(FoldersTest, OverviewListsTheFilesOfTheWholeSequence) {
    std::string listed, inOption;
    for (const InstallFileItem* file : CollectOverviewFiles(package->items))
        listed += name(file);
    std::vector<InstallFileItem*> files;
    CollectOverviewFiles(text["L"], files);
    for (const InstallFileItem* file : files)
        inOption += name(file);
    EXPECT_EQ(listed + " " + inOption, "abecdijklm be");
}

TEST_F(FoldersTest, FolderNamesRefusedBySiblingsAndByTheNameRule) {
    const std::pair<std::u16string_view, std::optional<std::u16string_view>> cases[] = {
        {u"Data2", kFolderExists},    {u"DATA2", kFolderExists}, {u"\u00e4RGER", kFolderExists},
        {u"aux", kInvalidFolderName}, {u"data", std::nullopt},   {u"Data", std::nullopt}};
    for (auto [name, refusal] : cases)
        EXPECT_EQ(CheckFolderName(folder({u"data"}), name), refusal) << wideToUtf8(name);
}

const FolderNode& Node(const std::vector<FolderNode>& roots, std::u16string_view path) {
    for (const FolderNode& root : roots) {
        if (root.devicePath == path)
            return root;
        if (path.starts_with(root.devicePath + u'\\'))
            return Node(root.children, path);
    }
    ADD_FAILURE() << "no node " << wideToUtf8(path);
    static const FolderNode none;
    return none;
}

TEST_F(FoldersTest, DisplayNodeKindsAndWhatMayBeChosen) {
    const auto roots = BuildFolderTree(FolderDisplayMode::Full, kUid, folders);
    constexpr std::optional<uint32_t> noMask;
    const uint32_t rsc = 30, exe = 1;
    const std::tuple<const char16_t*, uint32_t, bool, bool, bool, bool, bool, bool> cases[] = {
        {u"\\private", 0, true, false, false, false, false, false},
        {u"\\sys\\bin", 1, true, false, true, false, true, true},
        {u"\\resource\\apps", 8, true, false, true, true, false, true},
        {u"\\resource\\help", 32, true, false, true, false, false, true},
        {u"\\private\\a0001234", 2, true, true, true, true, false, true},
        {u"\\private\\a0001234\\data\\sub", 2, false, true, true, true, false, true},
    };
    for (auto [path, bit, fixed, subFolders, anyFile, rscLimited, exeLimited, noMaskLimited] :
         cases) {
        const FolderNode& n = Node(roots, path);
        EXPECT_EQ(
            std::tuple(n.categoryBit(), n.fixed(), n.allowsSubFolders(),
                       MayChooseFolder(n, rsc, false), MayChooseFolder(n, rsc, true),
                       MayChooseFolder(n, exe, true), MayChooseFolder(n, noMask, true)),
            std::tuple(bit, fixed, subFolders, anyFile, rscLimited, exeLimited, noMaskLimited))
            << wideToUtf8(path);
    }
}

TEST_F(FoldersTest, DisplayTreesShowTheFoldersAndFindTheNodeOfATarget) {
    const auto simple = BuildFolderTree(FolderDisplayMode::Simple, kUid, folders);
    const auto full = BuildFolderTree(FolderDisplayMode::Full, kUid, folders);
    EXPECT_EQ(FolderText(simple), "[Binaries],[ECOM Plugins],[Private]{data{sub},Data2,\u00c4rger},"
                                  "[Registration],[Resources],[Help]");
    EXPECT_EQ(FolderText(full),
              "private{10003a3f{import{apps}},a0001234{data{sub},Data2,\u00c4rger}},"
              "resource{apps,help,plugins},sys{bin}");
    EXPECT_EQ(simple[2].children[0].children[0].userFolder, &folder({u"data", u"sub"}));

    const std::tuple<const char16_t*, const char16_t*, const char16_t*> cases[] = {
        {u"\\sys\\bin\\app.exe", u"[Binaries]", u"\\sys\\bin"},
        {u"\\resource\\apps\\sub\\a.rsc", u"[Resources]", u"\\resource\\apps"},
        {u"\\private\\10003a3f\\import\\apps\\a_reg.rsc", u"[Registration]",
         u"\\private\\10003a3f\\import\\apps"},
        {u"\\private\\a0001234\\x.txt", u"[Private]", u"\\private\\a0001234"},
        {u"\\private\\A0001234\\DATA\\SUB\\x.txt", u"sub", u"\\private\\a0001234\\data\\sub"},
        {u"\\private\\a0001234\\data\\unknown\\x.txt", u"data", u"\\private\\a0001234\\data"},
        {u"\\private\\a00012345\\x.txt", nullptr, nullptr},
    };
    for (auto [target, simpleName, path] : cases) { // simpleName null: no node
        SCOPED_TRACE(wideToUtf8(target));
        const FolderNode* inSimple = FindFolderNodeOf(simple, target, kUid, folders);
        const FolderNode* inFull = FindFolderNodeOf(full, target, kUid, folders);
        ASSERT_EQ(std::pair(inSimple != nullptr, inFull != nullptr),
                  std::pair(simpleName != nullptr, path != nullptr));
        if (!inSimple)
            continue;
        EXPECT_EQ(std::tuple(inSimple->name, inSimple->devicePath, inFull->devicePath),
                  std::tuple(WideText(simpleName), WideText(path), WideText(path)));
        EXPECT_EQ(std::pair(FindSameFolder(full, *inSimple), FindSameFolder(simple, *inFull)),
                  std::pair(inFull, inSimple));
    }

    // A package whose UID is the registration folder's shares its directory.
    UserFolderTree own;
    own.add(own.privateFolder(), u"mine");
    const auto shared = BuildFolderTree(FolderDisplayMode::Full, kRegistrationUid, own);
    EXPECT_EQ(FolderText(shared),
              "private{10003a3f{import{apps},mine}},resource{apps,help,plugins},sys{bin}");
    EXPECT_EQ(Node(shared, u"\\private\\10003a3f").folder, DeviceFolder::Private);
    EXPECT_EQ(Node(shared, u"\\private\\10003a3f\\import\\apps").folder,
              DeviceFolder::Registration);
}

} // namespace
} // namespace tb
