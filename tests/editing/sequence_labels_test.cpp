// The labels the Designer's fixture package does not show: see designer_fixture.h for the rest.
#include "editing/sequence_labels.h"
#include "editing/sequence_removal.h"
#include "model/condition_parser.h"
#include "model/item_sequence.h"
#include "util/text_convert.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

std::string label(const InstallItem& item, bool edited = false) {
    return wideToUtf8(edited ? EditedSequenceLabel(item, 1) : SequenceLabel(item, 1));
}

TEST(SequenceLabelsTest, LanguageItemsAndTheEditedFormsOfLanguageFiles) {
    InstallLanguageFileItem installed(2), launched(2);
    installed.target = u"\\sys\\bin\\a.exe";
    installed.sources = {u"a_en.exe", u"a_fr.exe"};
    launched.fileType = FileType::FM;
    launched.sources = {u"", u"b_fr.txt"};
    EXPECT_EQ(label(installed), "InstallLanguageFile [\\sys\\bin\\a.exe]");
    EXPECT_EQ(label(installed, true), "InstallLanguageFile (\\sys\\bin\\a.exe)");
    EXPECT_EQ(label(launched), "LaunchLanguageFile [b_fr.txt]") << "the first source given";
    EXPECT_EQ(label(launched, true), "LaunchLanguageFileInViewer (b_fr.txt)");

    InstallFileItem plain(u"a.txt");
    plain.target = u"\\a.txt";
    EXPECT_EQ(label(plain, true), "InstallFile [\\a.txt]") << "only language files change";
    ShowLanguageDialogItem dialog(2);
    dialog.name = u"Intro";
    EXPECT_EQ(label(dialog), "ShowLanguageDialog [Intro]");
    IncludeLanguagePackageItem package(2);
    package.uid = 0xA0B1C2D3;
    EXPECT_EQ(label(package), "IncludeLanguagePackage [0xa0b1c2d3]");
    OptionItem fewerTexts(1);
    EXPECT_EQ(label(fewerTexts), "Option [\"\"]");
}

TEST(SequenceLabelsTest, BranchesNameTheirPlaceAndTheConditionInItsNormalForm) {
    ItemSequence sequence;
    InstallItem* block = AppendChild(sequence, std::make_unique<ConditionBlockItem>(), nullptr);
    for (const char16_t* text : {u"exists(\"c:\\a.txt\")", u"LANGUAGE=2 and not package(0x1F)"}) {
        Condition condition;
        WideText message;
        ASSERT_TRUE(ParseConditionText(text, condition, message));
        AppendChild(sequence, std::make_unique<ConditionBranchItem>(std::move(condition)), block);
    }
    AppendChild(sequence, std::make_unique<ConditionBranchItem>(), block);
    EXPECT_EQ(label(*block), "") << "the block has no node";
    EXPECT_EQ(label(*block->firstChild), "IF [exists(\"c:\\a.txt\")]");
    EXPECT_EQ(label(*block->firstChild->next), "ELSEIF [(LANGUAGE = 2) AND NOT package(0x1f)]");
    EXPECT_EQ(label(*block->lastChild()), "ELSE");
}

TEST(SequenceLabelsTest, NewOptionsAreNumberedByTheirCountAndRemovalNamesTheNode) {
    EXPECT_EQ(wideToUtf8(NewOptionText(12)), "Option 12");
    const WideText longLabel(400, u'x'); // no message length limit cuts it
    EXPECT_EQ(RemovalQuestion(longLabel),
              u"Are you sure you want to remove '" + longLabel + u"' from the package?");
}

} // namespace
} // namespace tb
