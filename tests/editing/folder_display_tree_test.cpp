#include "editing/folder_display_tree.h"

#include "editing/folder_text.h"
#include "editing/user_folder_tree.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

using test::FolderText;

constexpr uint32_t kUid = 0xA0001234;

class FolderDisplayTreeTest : public ::testing::Test {
protected:
    FolderDisplayTreeTest() {
        tree.addFoldersOf(u"\\private\\a0001234\\Zeta\\x.txt", kUid);
        tree.addFoldersOf(u"\\private\\a0001234\\alpha\\inner\\x.txt", kUid);
    }

    static const FolderNode& node(const std::vector<FolderNode>& roots, std::u16string_view path) {
        for (const FolderNode& root : roots) {
            if (root.devicePath == path)
                return root;
            if (path.starts_with(root.devicePath + u'\\'))
                return node(root.children, path);
        }
        ADD_FAILURE() << "no node " << wideToUtf8(path);
        static const FolderNode none;
        return none;
    }

    UserFolderTree tree;
};

TEST_F(FolderDisplayTreeTest, SimpleModeShowsTheSixFoldersInTheirOrder) {
    const auto roots = BuildFolderTree(FolderDisplayMode::Simple, kUid, tree);
    EXPECT_EQ(FolderText(roots), "[Binaries],[ECOM Plugins],[Private]{alpha{inner},Zeta},"
                                 "[Registration],[Resources],[Help]");
    const FolderNode& inner = roots[2].children[0].children[0];
    EXPECT_EQ(inner.devicePath, u"\\private\\a0001234\\alpha\\inner");
    EXPECT_EQ(inner.userFolder, tree.folderOf(u"\\private\\a0001234\\alpha\\inner\\x", kUid));
}

TEST_F(FolderDisplayTreeTest, FullModeShowsTheDeviceDirectories) {
    EXPECT_EQ(FolderText(BuildFolderTree(FolderDisplayMode::Full, kUid, tree)),
              "private{10003a3f{import{apps}},a0001234{alpha{inner},Zeta}},"
              "resource{apps,help,plugins},sys{bin}");
    // A package whose UID is the registration folder's shares its directory.
    UserFolderTree own;
    own.add(own.privateFolder(), u"mine");
    const auto shared = BuildFolderTree(FolderDisplayMode::Full, 0x10003A3F, own);
    EXPECT_EQ(FolderText(shared),
              "private{10003a3f{import{apps},mine}},resource{apps,help,plugins},sys{bin}");
    EXPECT_EQ(node(shared, u"\\private\\10003a3f").folder, DeviceFolder::Private);
    EXPECT_EQ(node(shared, u"\\private\\10003a3f\\import\\apps").folder,
              DeviceFolder::Registration);
}

TEST_F(FolderDisplayTreeTest, NodeKindsAndWhatMayBeChosen) {
    const auto roots = BuildFolderTree(FolderDisplayMode::Full, kUid, tree);
    constexpr std::optional<uint32_t> noMask;
    const uint32_t rsc = 30, exe = 1;
    const struct {
        const char16_t* path;
        uint32_t bit;
        bool fixed, subFolders;
        bool anyFile, rscLimited, exeLimited, noMaskLimited;
    } cases[] = {
        {u"\\private", 0, true, false, false, false, false, false},
        {u"\\private\\10003a3f\\import", 0, true, false, false, false, false, false},
        {u"\\sys\\bin", 1, true, false, true, false, true, true},
        {u"\\private\\10003a3f\\import\\apps", 4, true, false, true, true, false, true},
        {u"\\resource\\plugins", 16, true, false, true, true, false, true},
        {u"\\resource\\apps", 8, true, false, true, true, false, true},
        {u"\\resource\\help", 32, true, false, true, false, false, true},
        {u"\\private\\a0001234", 2, true, true, true, true, false, true},
        {u"\\private\\a0001234\\alpha\\inner", 2, false, true, true, true, false, true},
    };
    for (const auto& c : cases) {
        const FolderNode& n = node(roots, c.path);
        SCOPED_TRACE(wideToUtf8(c.path));
        EXPECT_EQ(n.categoryBit(), c.bit);
        EXPECT_EQ(n.fixed(), c.fixed);
        EXPECT_EQ(n.allowsSubFolders(), c.subFolders);
        EXPECT_EQ(MayChooseFolder(n, rsc, false), c.anyFile);
        EXPECT_EQ(MayChooseFolder(n, rsc, true), c.rscLimited);
        EXPECT_EQ(MayChooseFolder(n, exe, true), c.exeLimited);
        EXPECT_EQ(MayChooseFolder(n, noMask, true), c.noMaskLimited);
    }
}

TEST_F(FolderDisplayTreeTest, TargetsFindTheirFolderInBothModes) {
    const auto simple = BuildFolderTree(FolderDisplayMode::Simple, kUid, tree);
    const auto full = BuildFolderTree(FolderDisplayMode::Full, kUid, tree);
    const struct {
        const char16_t* target;
        const char16_t* simpleName; // null: no node
        const char16_t* path;
    } cases[] = {
        {u"\\sys\\bin\\app.exe", u"[Binaries]", u"\\sys\\bin"},
        {u"\\resource\\apps\\sub\\a.rsc", u"[Resources]", u"\\resource\\apps"},
        {u"\\resource\\plugins\\p.rsc", u"[ECOM Plugins]", u"\\resource\\plugins"},
        {u"\\private\\10003a3f\\import\\apps\\a_reg.rsc", u"[Registration]",
         u"\\private\\10003a3f\\import\\apps"},
        {u"\\private\\a0001234\\x.txt", u"[Private]", u"\\private\\a0001234"},
        {u"\\private\\A0001234\\ALPHA\\inner\\x.txt", u"inner",
         u"\\private\\a0001234\\alpha\\inner"},
        {u"\\private\\a0001234\\alpha\\unknown\\x.txt", u"alpha", u"\\private\\a0001234\\alpha"},
        {u"\\private\\a00012345\\x.txt", nullptr, nullptr},
        {u"", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(wideToUtf8(c.target));
        const FolderNode* inSimple = FindFolderNodeOf(simple, c.target, kUid, tree);
        const FolderNode* inFull = FindFolderNodeOf(full, c.target, kUid, tree);
        ASSERT_EQ(inSimple != nullptr, c.simpleName != nullptr);
        ASSERT_EQ(inFull != nullptr, c.path != nullptr);
        if (!inSimple)
            continue;
        EXPECT_EQ(inSimple->name, c.simpleName);
        EXPECT_EQ(inSimple->devicePath, c.path);
        EXPECT_EQ(inFull->devicePath, c.path);
        EXPECT_EQ(inSimple->folder, inFull->folder);
        EXPECT_EQ(FindSameFolder(full, *inSimple), inFull);
        EXPECT_EQ(FindSameFolder(simple, *inFull), inSimple);
    }
    EXPECT_EQ(FindSameFolder(simple, node(full, u"\\resource")), nullptr);
}

} // namespace
} // namespace tb
