#include "editing/dialog_text_files.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tb {
namespace {

using test::ReadBytes;
using namespace std::string_literals;

const std::string kHello = "\xFF\xFE"s + "h\0i\0"s; // "hi" as written

class DialogTextFilesTest : public ::testing::Test {
protected:
    std::string folder() const { return dir.path().string(); }
    test::TempDir dir;
    BuildConfiguration configuration{SdkList{}};
};

TEST_F(DialogTextFilesTest, FilesAreNamedAfterTheDialogAndLanguageBesideThePackage) {
    EXPECT_EQ(DialogTextFilePath("/w/app", u"New Dialog"), "/w/app/New Dialog.txt");
    EXPECT_EQ(DialogTextFilePath("/", u"a"), "/a.txt");
    EXPECT_EQ(LanguageDialogTextFilePaths("/w/app", u"Intro", {1, 2, 3}),
              (std::vector<std::string>{"/w/app/Intro_English.txt", "/w/app/Intro_French.txt",
                                        "/w/app/Intro_German.txt"}));
    EXPECT_EQ(LanguageDialogTextFilePaths("/w", u"\u00E9t\u00E9", {86}).front(),
              "/w/\xC3\xA9t\xC3\xA9_86.txt");
}

TEST_F(DialogTextFilesTest, StoredPathsAreRelativeToThePackageAndResolveBack) {
    EXPECT_EQ(StoredDialogTextPath("/w/shared/a.txt", "/w/app/"), u"..\\shared\\a.txt");
    EXPECT_EQ(DialogTextHostPath(u"..\\shared\\a.txt", "/w/app", configuration), "/w/shared/a.txt");
    EXPECT_EQ(DialogTextHostPath(u"D:\\texts\\a.txt", "/w/app", configuration), "D:\\texts\\a.txt");
    SdkList sdks{SdkInfo{u"S60", u"S60", u"/sdk", false}};
    BuildConfiguration withSdk{sdks};
    EXPECT_EQ(DialogTextHostPath(u"$(EPOCROOT)\\texts\\a.txt", "/w/app", withSdk),
              "/sdk/texts/a.txt");
}

TEST_F(DialogTextFilesTest, LinesEndWithLineFeedsInTheBoxAndCarriageReturnLineFeedsInFiles) {
    const struct {
        const char16_t* file;
        const char16_t* edited;
        const char16_t* written;
    } cases[] = {
        {u"a\r\nb", u"a\nb", u"a\r\nb"},   {u"a\nb\n", u"a\nb\n", u"a\r\nb\r\n"},
        {u"a\rb", u"a\nb", u"a\r\nb"},     {u"\r\n\r\n", u"\n\n", u"\r\n\r\n"},
        {u"\r\r\n", u"\n\n", u"\r\n\r\n"}, {u"", u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextForEditing(c.file), c.edited);
        EXPECT_EQ(TextForFile(TextForEditing(c.file)), c.written);
    }
}

// Three files a, b, c: what stands in each place before ("" none, "dir" a folder), the answer
// to the replace question, the result, the files the question was asked for, what is left.
TEST_F(DialogTextFilesTest, CreationWritesAllOrPutsEverythingBack) {
    using R = TextFilesResult;
    using Files = std::vector<std::string>;
    const std::string& H = kHello;
    const struct {
        const char* what;
        Files before;
        bool replace;
        R result;
        Files asked, after;
    } cases[] = {
        {"all new", {"", "", ""}, true, R::Written, {}, {H, H, H}},
        {"third fails: the two created go", {"", "", "dir"}, true, R::Failed, {}, {"", "", "dir"}},
        {"first fails", {"dir", "", ""}, true, R::Failed, {}, {"dir", "", ""}},
        {"restored", {"old", "", "dir"}, true, R::Failed, {"a.txt"}, {"old", "", "dir"}},
        {"replaced", {"", "old", "old2"}, true, R::Written, {"b.txt", "c.txt"}, {H, H, H}},
        {"No writes nothing", {"", "old", ""}, false, R::Declined, {"b.txt"}, {"", "old", ""}},
    };
    namespace fs = std::filesystem;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir folder;
        std::vector<TextFileContent> files;
        for (size_t i = 0; i < 3; ++i) {
            const std::string name = std::string(1, char('a' + i)) + ".txt";
            if (c.before[i] == "dir")
                fs::create_directories(folder.file(name) + "/inside");
            else if (!c.before[i].empty())
                folder.write(name, c.before[i]);
            files.push_back({folder.file(name), u"hi"});
        }
        Files asked, after, left;
        EXPECT_EQ(CreateTextFiles(files,
                                  [&](const std::string& path) {
                                      asked.push_back(fs::path(path).filename().string());
                                      return c.replace;
                                  }),
                  c.result);
        for (const TextFileContent& file : files) {
            after.push_back(fs::is_directory(file.path) ? "dir"
                            : fs::exists(file.path)     ? ReadBytes(file.path)
                                                        : "");
            if (!after.back().empty())
                left.push_back(fs::path(file.path).filename().string());
        }
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(after, c.after);
        EXPECT_EQ(folder.entries(), left) << "no temporary files";
    }
}

TEST_F(DialogTextFilesTest, DeleteTakesEveryLanguagesFileAndToleratesMissingOnes) {
    dir.write("Intro_English.txt", kHello);
    dir.write("Intro_German.txt", kHello);
    dir.write("keep.txt", kHello);
    ShowLanguageDialogItem dialog(4);
    dialog.sources = {u".\\Intro_English.txt", u".\\Intro_French.txt", u"", u".\\Intro_German.txt"};
    EXPECT_EQ(DeleteDialogTextFiles(dialog, folder(), configuration), 0);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"keep.txt"});

    ShowDialogItem single(u".\\keep.txt");
    EXPECT_EQ(DeleteDialogTextFiles(single, folder(), configuration), 0);
    EXPECT_TRUE(dir.entries().empty());

    // A folder is never deleted in a text file's place.
    std::filesystem::create_directory(dir.file("d.txt"));
    ShowDialogItem folderInPlace(u".\\d.txt");
    EXPECT_NE(DeleteDialogTextFiles(folderInPlace, folder(), configuration), 0);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("d.txt")));
}

} // namespace
} // namespace tb
