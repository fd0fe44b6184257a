#include "editing/file_rows.h"

#include "editing/sequence_text.h"
#include "util/text_convert.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tb {
namespace {

std::unique_ptr<InstallFileItem> File(const char16_t* target, char16_t drive = u'!',
                                      FileType type = FileType::FF, RunOption run = RunOption::RI) {
    auto file = std::make_unique<InstallFileItem>(u".\\src.bin");
    file->target = target;
    file->drive = drive;
    file->fileType = type;
    file->runOption = run;
    return file;
}

TEST(FileRowsTest, SortKeysPerColumn) {
    const auto userFile = File(u"\\b", u'!', FileType::FR);
    const auto cFile = File(u"\\a", u'c', FileType::FF);
    const auto dFile = File(u"\\B", u'D', FileType::FR);
    const InstallFileItem &user = *userFile, &c = *cFile, &d = *dFile;
    const struct {
        const InstallFileItem &a, &b;
        FileColumn column;
        int order;
    } cases[] = {
        {user, c, FileColumn::Drive, -1}, // "Let User Choose" first
        {c, d, FileColumn::Drive, -1},    // then by letter, whatever its case
        {d, c, FileColumn::Drive, 1},           {user, user, FileColumn::Drive, 0},
        {c, user, FileColumn::InstallType, -1}, // by the file type's code
        {user, d, FileColumn::InstallType, 0},  {c, user, FileColumn::Target, -1},
        {d, user, FileColumn::Target, -1}, // plain text order: capitals first
        {c, c, FileColumn::Source, 0},
    };
    EXPECT_EQ(FileRowText(*cFile, FileColumn::Drive), u"c:");
    EXPECT_EQ(InstallTypeText(FileType::FR, RunOption(7)), u"Run on installation");
    for (const auto& k : cases) {
        const int order = CompareFileRows(k.a, k.b, k.column);
        EXPECT_EQ((order > 0) - (order < 0), k.order)
            << wideToUtf8(k.a.target) << " " << wideToUtf8(k.b.target) << " column "
            << int(k.column);
    }
}

// Files inside options and condition branches are listed in sequence order; viewer files,
// null files, files without target and language-dependent files are not.
TEST(FileRowsTest, ListedFilesComeFromTheWholeSequence) {
    ItemSequence sequence;
    test::SequenceText text;
    text.build(sequence, "a L{o1(b c) o2(d)} e B<b1[f] b2[g]> h m n t");
    for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h", "m", "n"})
        itemAs<InstallFileItem>(text[name])->target = u"\\x";
    itemAs<InstallFileItem>(text["m"])->fileType = FileType::FM;
    itemAs<InstallFileItem>(text["n"])->fileType = FileType::FN;
    auto language = std::make_unique<InstallLanguageFileItem>(1);
    language->target = u"\\y";
    AppendChild(sequence, std::move(language), nullptr);

    std::string listed;
    for (const InstallFileItem* file : CollectOverviewFiles(sequence))
        listed += text.name(file);
    EXPECT_EQ(listed, "abcdefgh");

    std::vector<InstallFileItem*> inOption;
    CollectOverviewFiles(text["L"], inOption);
    ASSERT_EQ(inOption.size(), 3u);
    EXPECT_EQ(text.name(inOption[2]), "d");
    EXPECT_EQ(AsOverviewFile(text["o1"]), nullptr);
}

} // namespace
} // namespace tb
