#include "util/text_file.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace tb {
namespace {

using test::ReadBytes;
using Names = std::vector<std::string>;

class TextFileTest : public ::testing::Test {
protected:
    WideText read(const std::string& bytes) {
        WideText text = u"previous";
        EXPECT_EQ(ReadTextFile(dir.write("in.txt", bytes), text), 0);
        return text;
    }
    test::TempDir dir;
};

TEST_F(TextFileTest, ReadsByByteOrderMark) {
    using namespace std::string_literals;
    const std::pair<std::string, WideText> cases[] = {
        {"\xFF\xFE", u""},
        {"\xEF\xBB\xBF"s + "abc", u"abc"},
        {"\xFF\xFE"s + "a\0\xAC\x20"s, u"a\u20AC"},
        {"\xFE\xFF\0a\x20\xAC"s, u"a\u20AC"},
        {"\xFF\xFE"s + "a\0b"s, u"a"}, // odd final byte dropped
        {"\xC3\xA9", u"\u00E9"},       // no mark: UTF-8
        {"\xE9", u"\uFFFD"},
        {"", u""},
        {"ab", u"ab"}, // shorter than any mark
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(read(bytes), text) << testing::PrintToString(bytes);
}

TEST_F(TextFileTest, ReadsLongFilesAcrossPieces) {
    // "€😀é" is 9 bytes, so sequences straddle every 128-byte piece boundary with or without
    // the 3-byte mark; the text ends in an incomplete sequence.
    std::string bytes;
    WideText expected;
    for (int i = 0; i < 60; ++i) {
        bytes += "\xE2\x82\xAC\xF0\x9F\x98\x80\xC3\xA9";
        expected += u"\u20AC\U0001F600\u00E9";
    }
    EXPECT_EQ(read(bytes + "\xE2\x82"), expected + u"\uFFFD");
    EXPECT_EQ(read("\xEF\xBB\xBF" + bytes + "\xE2\x82"), expected + u"\uFFFD");
    // Exactly one piece long: the incomplete end is flushed by the empty read after it.
    std::string exact;
    for (int i = 0; i < 42; ++i)
        exact += "\xE2\x82\xAC";
    EXPECT_EQ(read(exact + "\xE2\x82"), WideText(42, u'\u20AC') + u"\uFFFD");

    std::string be = "\xFE\xFF";
    for (int i = 0; i < 300; ++i)
        be += std::string("\x01", 1) + static_cast<char>(i);
    WideText text = read(be);
    ASSERT_EQ(text.size(), 300u);
    EXPECT_EQ(text[299], static_cast<char16_t>(0x0100 | (299 & 0xFF)));
}

TEST_F(TextFileTest, ReadErrors) {
    WideText text = u"x";
    EXPECT_EQ(ReadTextFile(dir.file("missing.txt"), text), err::kNotFound);
    EXPECT_EQ(text, u"");
    EXPECT_EQ(ReadTextFile(dir.file("missing/a.txt"), text), err::kNotFound);
    EXPECT_EQ(ReadTextFile(dir.path().string(), text), err::kAccessDenied); // a folder
}

TEST_F(TextFileTest, WritesUtf16WithMarkAndReadsBack) {
    const std::string path = dir.file("out.pkg");
    ASSERT_EQ(WriteTextFile(path, u"ab"), 0);
    EXPECT_EQ(ReadBytes(path), std::string("\xFF\xFE"
                                           "a\0b\0",
                                           6));
    const WideText text = u"\u00E9\U0001F600\r\n";
    ASSERT_EQ(WriteTextFile(path, text), 0);
    WideText back;
    ASSERT_EQ(ReadTextFile(path, back), 0);
    EXPECT_EQ(back, text);
    EXPECT_EQ(dir.entries(), Names{"out.pkg"});
}

TEST_F(TextFileTest, WriteKeepsPermissionsAndLinks) {
    const std::string path = dir.write("a.txt", "old");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_EQ(WriteTextFile(path, u"new"), 0);
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    mode_t mask = umask(022);
    umask(mask);
    ASSERT_EQ(WriteTextFile(dir.file("fresh.txt"), u"x"), 0);
    ASSERT_EQ(stat(dir.file("fresh.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666u & ~mask);

    const std::string link = dir.file("link.txt");
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
    ASSERT_EQ(WriteTextFile(link, u"z"), 0);
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(ReadBytes(path), std::string("\xFF\xFEz\0", 4));
}

TEST_F(TextFileTest, FailedWriteLeavesOldFileAndNoTemporaries) {
    const std::string path = dir.write("keep.pkg", "old");
    // A write that fails halfway: the file size limit stops it after 16 bytes.
    EXPECT_NE(
        test::WithFileSizeLimit(16, [&] { return WriteTextFile(path, WideText(1000, u'x')); }), 0);
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(dir.entries(), Names{"keep.pkg"});

    // A folder where the file should go cannot be replaced.
    ASSERT_EQ(mkdir(dir.file("folder.pkg").c_str(), 0700), 0);
    EXPECT_EQ(WriteTextFile(dir.file("folder.pkg"), u"x"), err::kAccessDenied);
    EXPECT_EQ(dir.entries(), (Names{"folder.pkg", "keep.pkg"}));

    EXPECT_EQ(WriteTextFile(dir.file("missing/a.pkg"), u"x"), err::kNotFound);
    EXPECT_EQ(WriteTextFile(path + "/a.pkg", u"x"), err::kNotFound); // parent is a file

    if (geteuid() == 0)
        return; // root ignores folder permissions
    ASSERT_EQ(chmod(dir.path().c_str(), 0500), 0);
    EXPECT_EQ(WriteTextFile(path, u"new"), err::kAccessDenied);
    chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(dir.entries().size(), 2u);
}

} // namespace
} // namespace tb
