#include "document/settings_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

TEST(SettingsFile, AnyStringAndNameRoundTripsThroughTheFile) {
    const WideText tricky[] = {u"",
                               u"  leading and trailing  ",
                               u"a=b\\c\"d",
                               u"line\nnext\r\nlast\t",
                               u"[not a header]",
                               u"# not a comment",
                               u"non-BMP \U0001F600 \u00E9",
                               WideText(u"lone \xD800 high, lone \xDC00 low, nul \0 end", 35),
                               u"\u0085\u2028\x7F"};
    SettingsFile file;
    for (size_t i = 0; i < std::size(tricky); ++i)
        file.setString("Odd]\\Key\n", " name=" + std::to_string(i) + "\"", tricky[i]);
    file.setDword("", "Max", 0xFFFFFFFF);
    test::TempDir dir;
    const std::string path = dir.file("deep/er/settings.conf");
    ASSERT_EQ(file.save(path), err::kOk); // folders created

    SettingsFile loaded;
    ASSERT_EQ(loaded.load(path), err::kOk);
    for (size_t i = 0; i < std::size(tricky); ++i)
        EXPECT_EQ(loaded.string("Odd]\\Key\n", " name=" + std::to_string(i) + "\""), tricky[i]);
    EXPECT_EQ(loaded.dword("", "Max"), 0xFFFFFFFFu);
    EXPECT_EQ(loaded.toText(), file.toText());
}

TEST(SettingsFile, DamagedLinesAreSkipped) {
    SettingsFile file;
    file.fromText(u"garbage\n"
                  u"  \"Spaced\"  =  dword:0x10  \r\n"
                  u"\"NoQuoteEnd=dword:1\n"
                  u"\"BadEscape\"=\"a\\qb\"\n"
                  u"\"ShortEscape\"=\"\\u12\"\n"
                  u"\"BadNumber\"=dword:12a\n"
                  u"\"Overflow\"=dword:4294967296\n"
                  u"\"Trailing\"=\"x\" y\n"
                  u"\"Good\"=\"ok\"\n"
                  u"[Broken\n"
                  u"\"UnderBroken\"=dword:1\n"
                  u"[]\n"
                  u"\"Root\"=DWORD:2");
    EXPECT_EQ(file.dword("", "Spaced"), 16u);
    EXPECT_EQ(file.string("", "Good"), u"ok");
    EXPECT_EQ(file.dword("", "ROOT"), 2u); // registry names ignore case
    EXPECT_FALSE(file.string("", "Root")) << "the other type finds nothing";
    file.setString("", "root", u"x"); // replaces, type and all
    EXPECT_FALSE(file.dword("", "Root"));
    for (const char* name : {"NoQuoteEnd", "BadEscape", "ShortEscape", "BadNumber", "Overflow",
                             "Trailing", "UnderBroken"}) {
        EXPECT_FALSE(file.dword("", name) || file.string("", name)) << name;
        EXPECT_FALSE(file.dword("Broken", name)) << name;
    }
    // Every cut of a valid text parses without harm.
    SettingsFile full;
    full.setString("K", "N", u"a\\\"\n\U0001F600");
    const WideText text = full.toText();
    for (size_t n = 0; n <= text.size(); ++n)
        SettingsFile().fromText(std::u16string_view(text).substr(0, n));
}

TEST(SettingsFile, MissingFileIsEmptyAndFailuresKeepThePreviousFile) {
    test::TempDir dir;
    const std::string path = dir.file("settings.conf");
    SettingsFile file;
    file.setDword("", "X", 1);
    EXPECT_EQ(file.load(path), err::kOk);
    EXPECT_TRUE(file.empty());
    EXPECT_NE(file.load(dir.path().string()), err::kOk); // a folder

    file.setString("", "Value", u"old");
    ASSERT_EQ(file.save(path), err::kOk);
    const std::string before = test::ReadBytes(path);
    file.setString("", "Value", WideText(100000, u'x'));
    EXPECT_NE(test::WithFileSizeLimit(4096, [&] { return file.save(path); }), err::kOk);
    EXPECT_EQ(test::ReadBytes(path), before);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"settings.conf"});
}

} // namespace
} // namespace tb
