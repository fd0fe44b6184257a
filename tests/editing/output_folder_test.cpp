#include "editing/output_folder.h"

#include "util/text_convert.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

constexpr std::u16string_view kPackageFolder = u"/home/me/Work/App";

TEST(OutputFolderTest, ThePackagesFolderIsStoredEmptyACustomOneAsChosen) {
    const struct {
        bool custom;
        const char16_t* text;
        const char16_t* stored;
    } cases[] = {
        {false, u"/elsewhere", u""}, // "Project folder" whatever the box holds
        {true, u"/home/me/Work/App", u""},
        {true, u"/home/me/Work/App/", u""},
        {true, u"/home/me/Work/App//", u""},
        {true, u"\\home\\me\\Work\\App\\", u""},
        {true, u"", u""},
        {true, u"/home/me/Work/App/out", u"/home/me/Work/App/out"},
        {true, u"/home/me/Work/app", u"/home/me/Work/app"}, // folder names keep their case
        {true, u"/home/me/Work", u"/home/me/Work"},
        {true, u"D:\\Builds\\", u"D:\\Builds\\"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StoredOutputFolder(c.custom, c.text, kPackageFolder), c.stored)
            << c.custom << " " << wideToUtf8(c.text);
        if (c.custom) {
            EXPECT_EQ(IsPackageOutputFolder(c.text, kPackageFolder), WideText(c.stored).empty())
                << wideToUtf8(c.text);
        }
    }
    EXPECT_TRUE(IsPackageOutputFolder(u"/", u"/"));
    EXPECT_FALSE(IsPackageOutputFolder(u"/out", u""));
}

} // namespace
} // namespace tb
