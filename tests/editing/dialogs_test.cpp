// Dialogs and the other texts of the Localization view: names, rows, text files.
#include "editing/dialog_names.h"
#include "editing/dialog_text_files.h"
#include "editing/localization_rows.h"
#include "model/package_reader.h"

#include "support/temp_dir.h"
#include "util/text_convert.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace tb {
namespace {

using Labels = std::vector<std::u16string>;

// Two languages, texts "<what>/<language>": the package's and the dependencies' texts, a
// language dialog, a plain one, nested option lists and a language dialog in a condition
// branch inside an option.
class LocalizationTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(ParsePackageText(kPackage, package), err::kOk); }

    static constexpr const char16_t* kPackage = uR"(&EN,FR
#{"App","App/fr"},(0xA0001234),1,0,0
%{"Vendor","Vendor/fr"}
:"Vendor"
[0x101F7961],0,0,0,{"S60","S60/fr"}
(0x2000AFDE),1,0,0,{"Qt","Qt/fr"}
{"Welcome_English.txt" "Welcome_French.txt"}-"",FT,TC
"Readme.txt"-"",FT,TC
!({"a","a/fr"},{"b","b/fr"})
IF option1
  !({"inner","inner/fr"})
ENDIF
IF option2
  IF exists("x")
    !({"in branch","in branch/fr"})
    {"License_English.txt" "License_French.txt"}-"",FT,TC
  ENDIF
ENDIF
)";
    std::unique_ptr<Package> package;
};

// Lists are numbered as the sequence meets them, wherever they are; the options of a list come
// together, before what they install; dialogs follow every option, and plain dialogs get none.
TEST_F(LocalizationTest, NestedListsAndDialogsAreCountedInSequenceOrder) {
    std::vector<LocalizationRow> rows = LocalizationRows(*package);
    Labels labels, french;
    for (const LocalizationRow& row : rows) {
        labels.push_back(row.label);
        french.push_back(RowText(*package, row, 1));
    }
    EXPECT_EQ(labels, (Labels{u"Package name", u"Vendor", u"Dependency", u"Dependency",
                              u"Option List 1 : Option 1", u"Option List 1 : Option 2",
                              u"Option List 2 : Option 1", u"Option List 3 : Option 1",
                              u"Dialog 1 : Welcome", u"Dialog 2 : License"}));
    EXPECT_EQ(french, (Labels{u"App/fr", u"Vendor/fr", u"S60/fr", u"Qt/fr", u"a/fr", u"b/fr",
                              u"inner/fr", u"in branch/fr", u"", u""}));
    EXPECT_EQ(RowTexts(*package, rows.back()), nullptr) << "a dialog's texts are in files";
    EXPECT_EQ(RowText(*package, rows[0], 2), u"") << "no such language";
}

TEST_F(LocalizationTest, NewDialogNamesAreCheckedForEmptyThenValidThenTakenExactly) {
    const std::pair<const char16_t*, std::optional<std::u16string_view>> cases[] = {
        {u"", kEnterDialogName},        {u"aux", kInvalidDialogName},
        {u"Welcome", kDialogNameTaken}, {u"License", kDialogNameTaken}, // in an option's branch
        {u"Readme", kDialogNameTaken},  {u"README", std::nullopt},
        {u"Readme ", std::nullopt},
    };
    for (auto [name, refused] : cases)
        EXPECT_EQ(CheckNewDialogName(package->items, name), refused) << wideToUtf8(name);
}

TEST(DialogTextPreviewTest, LongTextsAreCutTo97CharactersWithoutSplittingOne) {
    const auto a = [](size_t count) { return std::u16string(count, u'a'); };
    const std::u16string smile = u"\U0001F600", tail(10, u'b');
    EXPECT_EQ(DialogTextPreview(a(100)), a(100));
    EXPECT_EQ(DialogTextPreview(a(100) + u"b"), a(97) + u"...");
    // A surrogate pair whose first half would be the 97th unit is left out whole.
    EXPECT_EQ(DialogTextPreview(a(96) + smile + tail), a(96) + u"...");
    EXPECT_EQ(DialogTextPreview(a(95) + smile + tail), a(95) + smile + u"...");
}

using namespace std::string_literals;
namespace fs = std::filesystem;

const std::string kHello = "\xFF\xFE"s + "h\0i\0"s; // "hi" as written

TEST(DialogTextFilesTest, FilesAreNamedAfterTheDialogAndLanguageBesideThePackage) {
    EXPECT_EQ(DialogTextFilePath("/", u"New Dialog"), "/New Dialog.txt");
    EXPECT_EQ(LanguageDialogTextFilePaths("/w", u"\u00E9t\u00E9", {2, 86}),
              (std::vector<std::string>{"/w/\xC3\xA9t\xC3\xA9_French.txt",
                                        "/w/\xC3\xA9t\xC3\xA9_86.txt"}));

    // Stored relative to the package; read back through the SDK's macros too.
    const BuildConfiguration configuration{SdkList{SdkInfo{u"S60", u"S60", u"/sdk", false}}};
    EXPECT_EQ(StoredDialogTextPath("/w/shared/a.txt", "/w/app/"), u"..\\shared\\a.txt");
    EXPECT_EQ(DialogTextHostPath(u"..\\shared\\a.txt", "/w/app", configuration), "/w/shared/a.txt");
    EXPECT_EQ(DialogTextHostPath(u"D:\\texts\\a.txt", "/w/app", configuration), "D:\\texts\\a.txt");
    EXPECT_EQ(DialogTextHostPath(u"$(EPOCROOT)\\texts\\a.txt", "/w/app", configuration),
              "/sdk/texts/a.txt");
}

TEST(DialogTextFilesTest, LinesEndWithLineFeedsInTheBoxAndCarriageReturnLineFeedsInFiles) {
    const std::tuple<const char16_t*, const char16_t*, const char16_t*> cases[] = {
        {u"a\r\nb", u"a\nb", u"a\r\nb"},   {u"a\nb\n", u"a\nb\n", u"a\r\nb\r\n"},
        {u"a\rb", u"a\nb", u"a\r\nb"},     {u"\r\n\r\n", u"\n\n", u"\r\n\r\n"},
        {u"\r\r\n", u"\n\n", u"\r\n\r\n"}, {u"", u"", u""},
    };
    for (auto [file, edited, written] : cases) {
        EXPECT_EQ(TextForEditing(file), edited);
        EXPECT_EQ(TextForFile(TextForEditing(file)), written);
    }
}

// Three files a, b, c: what stands in each place before ("" none, "dir" a folder), the answer
// to the replace question, the result, the files the question was asked for, what is left.
TEST(DialogTextFilesTest, CreationWritesAllOrPutsEverythingBack) {
    using R = TextFilesResult;
    using Files = std::vector<std::string>;
    const std::string& H = kHello;
    const std::tuple<const char*, Files, bool, R, Files, Files> cases[] = {
        {"all new", {"", "", ""}, true, R::Written, {}, {H, H, H}},
        {"third fails: the two created go", {"", "", "dir"}, true, R::Failed, {}, {"", "", "dir"}},
        {"first fails", {"dir", "", ""}, true, R::Failed, {}, {"dir", "", ""}},
        {"restored", {"old", "", "dir"}, true, R::Failed, {"a.txt"}, {"old", "", "dir"}},
        {"replaced", {"", "old", "old2"}, true, R::Written, {"b.txt", "c.txt"}, {H, H, H}},
        {"No writes nothing", {"", "old", ""}, false, R::Declined, {"b.txt"}, {"", "old", ""}},
    };
    for (const auto& [what, before, replace, result, asked, after] : cases) {
        SCOPED_TRACE(what);
        test::TempDir folder;
        std::vector<TextFileContent> files;
        for (size_t i = 0; i < 3; ++i) {
            const std::string name = std::string(1, char('a' + i)) + ".txt";
            if (before[i] == "dir")
                fs::create_directories(folder.file(name) + "/inside");
            else if (!before[i].empty())
                folder.write(name, before[i]);
            files.push_back({folder.file(name), u"hi"});
        }
        Files questions, found, left;
        EXPECT_EQ(CreateTextFiles(files,
                                  [&](const std::string& path) {
                                      questions.push_back(fs::path(path).filename().string());
                                      return replace;
                                  }),
                  result);
        for (const TextFileContent& file : files) {
            found.push_back(fs::is_directory(file.path) ? "dir"
                            : fs::exists(file.path)     ? test::ReadBytes(file.path)
                                                        : "");
            if (!found.back().empty())
                left.push_back(fs::path(file.path).filename().string());
        }
        EXPECT_EQ(std::pair(questions, found), std::pair(asked, after));
        EXPECT_EQ(folder.entries(), left) << "no temporary files";
    }
}

TEST(DialogTextFilesTest, DeleteTakesEveryLanguagesFileAndToleratesMissingOnes) {
    test::TempDir dir;
    const BuildConfiguration configuration{SdkList{}};
    for (const char* name : {"Intro_English.txt", "Intro_German.txt", "keep.txt"})
        dir.write(name, kHello);
    ShowLanguageDialogItem dialog(4);
    dialog.sources = {u".\\Intro_English.txt", u".\\Intro_French.txt", u"", u".\\Intro_German.txt"};
    EXPECT_EQ(DeleteDialogTextFiles(dialog, dir.path(), configuration), 0);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"keep.txt"});

    // A folder is never deleted in a text file's place.
    fs::create_directory(dir.file("d.txt"));
    EXPECT_NE(DeleteDialogTextFiles(ShowDialogItem(u".\\d.txt"), dir.path(), configuration), 0);
    EXPECT_TRUE(fs::is_directory(dir.file("d.txt")));
}

} // namespace
} // namespace tb
