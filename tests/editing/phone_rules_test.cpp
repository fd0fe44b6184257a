#include "editing/folder_filters.h"
#include "editing/phone_rules.h"
#include "editing/user_folder_tree.h"
#include "model/package.h"
#include "util/text_convert.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace tb {
namespace {

constexpr uint32_t kUid = 0xA0001234;

// Files named a, b, c, ... at every depth: in an option, in nested condition branches, a null
// file, a language-dependent file, a file launched in a viewer; targets written in other
// cases and with doubled backslashes as packages from elsewhere have them.
class PhoneRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        package->uid = kUid;
        add("a", nullptr, u"\\private\\a0001234\\data\\a.txt");
        InstallItem* list = append(std::make_unique<ShowOptionListItem>(), nullptr);
        InstallItem* option = append(std::make_unique<OptionItem>(1), list);
        add("b", option, u"\\private\\a0001234\\data\\sub\\b.txt");
        InstallItem* block = append(std::make_unique<ConditionBlockItem>(), nullptr);
        InstallItem* branch = append(std::make_unique<ConditionBranchItem>(), block);
        InstallItem* inner = append(std::make_unique<ConditionBlockItem>(), branch);
        InstallItem* innerBranch = append(std::make_unique<ConditionBranchItem>(), inner);
        add("c", innerBranch, u"\\private\\A0001234\\DATA\\\\sub\\\\c.txt");
        add("d", nullptr, u"\\private\\a0001234\\data"); // a file called data
        add("e", nullptr, u"\\private\\a0001234\\data2\\e.txt");
        add("f", branch, u"\\private\\a0001234\\data\\f.dat", FileType::FN);
        auto language = std::make_unique<InstallLanguageFileItem>(1);
        language->target = u"\\private\\a0001234\\data\\g.rsc";
        names[&*language] = "g";
        append(std::move(language), nullptr);
        add("h", nullptr, u"\\private\\a0001234\\data\\h.txt", FileType::FM);
        add("i", nullptr, u"\\sys\\bin\\i.exe");
        add("j", nullptr, u"\\private\\a0001234\\\u00c4rger\\j.txt");
        add("k", nullptr, u"\\private\\a0001234\\data\\");
        folders.rebuild(*package);
    }

    InstallItem* append(std::unique_ptr<InstallItem> item, InstallItem* parent) {
        return AppendChild(package->items, std::move(item), parent);
    }
    void add(const char* name, InstallItem* parent, const char16_t* target,
             FileType type = FileType::FF) {
        auto file = std::make_unique<InstallFileItem>(u"src");
        file->target = target;
        file->fileType = type;
        names[&*file] = name;
        append(std::move(file), parent);
    }

    const UserFolder& folder(std::vector<std::u16string_view> path) const {
        const UserFolder* at = &folders.privateFolder();
        for (std::u16string_view name : path)
            at = at->find(name);
        return *at;
    }

    std::string namesOf(const std::vector<FileItemBase*>& files) {
        std::string text;
        for (const FileItemBase* file : files)
            text += names[file];
        return text;
    }

    std::unique_ptr<Package> package = CreatePackage({1});
    UserFolderTree folders;
    std::map<const InstallItem*, std::string> names;
};

TEST_F(PhoneRulesTest, DeviceFilesAreTheFilesWithATargetNotShownInAViewer) {
    std::string devices;
    for (InstallItem* item = package->items.first; item; item = NextInPreOrder(item, nullptr))
        if (DeviceFile(item))
            devices += names[item];
    EXPECT_EQ(devices, "abcfdegijk"); // f stands in the first condition branch

    InstallFileItem noTarget(u"x.txt");
    EXPECT_EQ(DeviceFile(&noTarget), nullptr);
    OptionItem option(1);
    EXPECT_EQ(DeviceFile(&option), nullptr);
}

// What a folder's removal takes: every file below it, found as the folder tree finds it.
TEST_F(PhoneRulesTest, FilesInFolderAtAnyDepth) {
    const struct {
        std::vector<std::u16string_view> folder;
        const char* files;
    } cases[] = {
        {{u"data"}, "abcfgk"},     // not d, which is a file beside the folder
        {{u"data", u"sub"}, "bc"}, // doubled backslashes, other case
        {{u"data2"}, "e"},         // not the files of "data"
        {{u"\u00e4rger"}, "j"},    // case beyond ASCII
        {{}, "abcfdegjk"},         // the private folder itself
    };
    for (const auto& c : cases) {
        const UserFolder& at = folder(c.folder);
        EXPECT_EQ(namesOf(FilesInFolder(*package, at)), c.files) << wideToUtf8(at.subPath());
    }
}

// Changes as "file:target" with the private folder's path left out.
TEST_F(PhoneRulesTest, RenamedTargetsKeepWhatLiesBelowTheFolder) {
    const struct {
        std::vector<std::u16string_view> folder;
        std::u16string_view name;
        const char* changes;
    } cases[] = {
        {{u"data"},
         u"Docs",
         R"(a:Docs\a.txt b:Docs\sub\b.txt c:Docs\\sub\\c.txt f:Docs\f.dat g:Docs\g.rsc k:Docs\ )"},
        {{u"data", u"sub"}, u"S", R"(b:data\S\b.txt c:data\S\\c.txt )"},
        // The same name: only a target that wrote the folder otherwise changes.
        {{u"data"}, u"data", R"(c:data\\sub\\c.txt )"},
        {{u"\u00c4rger"}, u"\u00e4rger", "j:\u00e4rger\\j.txt "},
        {{}, u"x", ""}, // the private folder has no name of its own
    };
    const std::u16string_view privateFolder = u"\\private\\a0001234\\";
    for (const auto& c : cases) {
        const UserFolder& at = folder(c.folder);
        std::string changes;
        for (const TargetChange& change : RenamedTargets(*package, at, c.name)) {
            std::u16string_view target = change.target;
            if (target.starts_with(privateFolder))
                target.remove_prefix(privateFolder.size());
            changes += names[change.file] + ":" + wideToUtf8(target) + " ";
        }
        EXPECT_EQ(changes, c.changes) << wideToUtf8(at.subPath()) << " to " << wideToUtf8(c.name);
    }
}

TEST_F(PhoneRulesTest, FolderNamesRefusedBySiblingsAndByTheNameRule) {
    const UserFolder& data = folder({u"data"});
    const struct {
        std::u16string_view name;
        std::optional<std::u16string_view> refusal;
    } cases[] = {{u"data2", kFolderExists},      {u"DATA2", kFolderExists},
                 {u"\u00e4RGER", kFolderExists}, {u"aux", kInvalidFolderName},
                 {u"data", std::nullopt},        {u"Data", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(CheckFolderName(data, c.name), c.refusal) << wideToUtf8(c.name);
}

TEST(FolderFiltersTest, EachDeviceFolderOffersItsTypesAndAllFilesLast) {
    const struct {
        std::optional<DeviceFolder> folder;
        size_t count;
        std::u16string_view first, firstPatterns;
    } cases[] = {
        {DeviceFolder::Binaries, 9, u"Applications (*.exe; *.app)", u"*.exe;*.app"},
        {DeviceFolder::Private, 1, u"All Files (*.*)", u"*.*"},
        {DeviceFolder::Help, 2, u"Help Files (*.hlp*)", u"*.hlp*"},
    };
    for (const auto& c : cases) {
        const auto filters = FolderFileFilters(c.folder);
        ASSERT_EQ(filters.size(), c.count) << int(*c.folder);
        EXPECT_EQ(filters.front().description, c.first);
        EXPECT_EQ(filters.front().patterns, c.firstPatterns);
        EXPECT_EQ(filters.back().description, u"All Files (*.*)");
        EXPECT_EQ(filters.back().patterns, u"*.*");
    }
    EXPECT_TRUE(FolderFileFilters(std::nullopt).empty()) << "a folder in between takes no files";
    const auto binaries = FolderFileFilters(DeviceFolder::Binaries);
    EXPECT_EQ(binaries[2].description, u"Device Driver Files(*.ldd; *.pdd)");
    EXPECT_EQ(binaries[4].patterns, u"*.ecomiic;*.plugin");
}

} // namespace
} // namespace tb
