#include "editing/user_folder_tree.h"

#include "editing/folder_text.h"
#include "model/package.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

using test::FolderText;

constexpr uint32_t kUid = 0xA0001234;

InstallItem* Add(Package& package, std::unique_ptr<InstallItem> item, InstallItem* parent) {
    return AppendChild(package.items, std::move(item), parent);
}

void AddFile(Package& package, InstallItem* parent, const char16_t* target,
             FileType type = FileType::FF) {
    auto file = std::make_unique<InstallFileItem>(u"src.txt");
    file->target = target;
    file->fileType = type;
    Add(package, std::move(file), parent);
}

std::unique_ptr<Package> SamplePackage() {
    auto package = CreatePackage({1});
    package->uid = kUid;
    AddFile(*package, nullptr, u"\\private\\a0001234\\data\\a.txt");
    AddFile(*package, nullptr, u"\\private\\a0001234\\top.txt");
    AddFile(*package, nullptr, u"\\sys\\bin\\app.exe");
    AddFile(*package, nullptr, u"\\private\\10003a3f\\import\\apps\\app_reg.rsc");
    AddFile(*package, nullptr, u"\\private\\a00012345\\stray\\x.txt");
    InstallItem* list = Add(*package, std::make_unique<ShowOptionListItem>(), nullptr);
    InstallItem* option = Add(*package, std::make_unique<OptionItem>(1), list);
    AddFile(*package, option, u"\\private\\a0001234\\opt\\b.txt");
    InstallItem* block = Add(*package, std::make_unique<ConditionBlockItem>(), nullptr);
    InstallItem* ifBranch = Add(*package, std::make_unique<ConditionBranchItem>(), block);
    InstallItem* inner = Add(*package, std::make_unique<ConditionBlockItem>(), ifBranch);
    InstallItem* innerBranch = Add(*package, std::make_unique<ConditionBranchItem>(), inner);
    AddFile(*package, innerBranch, u"\\private\\a0001234\\if\\deep\\c.txt");
    InstallItem* elseBranch = Add(*package, std::make_unique<ConditionBranchItem>(), block);
    AddFile(*package, elseBranch, u"\\private\\a0001234\\gone\\d.txt", FileType::FN);
    auto language = std::make_unique<InstallLanguageFileItem>(1);
    language->target = u"\\private\\A0001234\\Upper\\\\lang\\e.txt";
    Add(*package, std::move(language), nullptr);
    AddFile(*package, nullptr, u"\\private\\a0001234\\DATA\\IF\\f.txt");
    return package;
}

TEST(UserFolderTreeTest, RebuildTakesEveryFileTargetBelowThePrivateFolder) {
    UserFolderTree tree;
    tree.add(tree.privateFolder(), u"Empty");
    const auto package = SamplePackage();
    tree.rebuild(*package);
    // Alphabetical ignoring case; "DATA" is the folder "data" on the device.
    EXPECT_EQ(FolderText(tree.privateFolder()), "data{IF},gone,if{deep},opt,Upper{lang}");

    tree.clear();
    EXPECT_TRUE(tree.empty());
    EXPECT_EQ(FolderText(tree.privateFolder()), "");
}

TEST(UserFolderTreeTest, FoldersKnowTheirPathsAndTargetsTheirFolder) {
    UserFolderTree tree;
    const auto package = SamplePackage();
    tree.rebuild(*package);
    const UserFolder& root = tree.privateFolder();
    const UserFolder* deep = tree.folderOf(u"\\private\\a0001234\\if\\deep\\c.txt", kUid);
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(deep->subPath(), u"\\if\\deep");
    EXPECT_EQ(deep->devicePath(0xB), u"\\private\\b\\if\\deep");
    EXPECT_EQ(root.devicePath(kUid), u"\\private\\a0001234");
    EXPECT_EQ(root.find(u"IF"), deep->parent());

    const struct {
        const char16_t* target;
        const UserFolder* folder;
    } cases[] = {
        {u"\\private\\a0001234\\if\\deep\\c.txt", deep},
        {u"\\private\\A0001234\\IF\\DEEP\\other.txt", deep},
        {u"\\private\\a0001234\\if\\deep\\missing\\x.txt", deep},
        {u"\\private\\a0001234\\if\\deep\\", deep},
        {u"\\private\\a0001234\\top.txt", &root},
        {u"\\private\\a0001234", &root},
        {u"\\private\\a00012345\\stray\\x.txt", nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tree.folderOf(c.target, kUid), c.folder) << wideToUtf8(c.target);
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
}

TEST(UserFolderTreeTest, NewFolderNamesCountFromTwo) {
    UserFolderTree tree;
    const UserFolder& root = tree.privateFolder();
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

} // namespace
} // namespace tb
