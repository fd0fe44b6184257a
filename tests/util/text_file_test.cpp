#include "util/text_file.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tb {
namespace {

using test::ReadBytes;
using Names = std::vector<std::string>;

mode_t modeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

class TextFileTest : public ::testing::Test {
protected:
    WideText read(const std::string& bytes) {
        WideText text = u"previous";
        EXPECT_EQ(ReadTextFile(dir.write("in.txt", bytes), text), 0);
        return text;
    }
    test::TempDir dir;
};

TEST_F(TextFileTest, ReadsByByteOrderMarkOrFails) {
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

    WideText text = u"x";
    EXPECT_EQ(ReadTextFile(dir.file("missing.txt"), text), err::kNotFound);
    EXPECT_EQ(text, u"");
    EXPECT_EQ(ReadTextFile(dir.path().string(), text), err::kAccessDenied); // a folder
}

// "€😀é" is 9 bytes, so sequences straddle the boundaries of the blocks read (a power of two)
// with or without the 3-byte mark; the text ends in an incomplete sequence. A pipe cannot seek
// and its text arrives in pieces.
TEST_F(TextFileTest, ReadsLongTextsAcrossBlocksFromFilesAndPipes) {
    std::string bytes;
    WideText expected;
    for (int i = 0; i < 60000; ++i) {
        bytes += "\xE2\x82\xAC\xF0\x9F\x98\x80\xC3\xA9";
        expected += u"\u20AC\U0001F600\u00E9";
    }
    EXPECT_EQ(read(bytes + "\xE2\x82"), expected + u"\uFFFD");
    EXPECT_EQ(read("\xEF\xBB\xBF" + bytes + "\xE2\x82"), expected + u"\uFFFD");
    // Exactly one block long: the incomplete end is flushed by the empty read after it.
    std::string exact(size_t(1) << 18, 'a');
    exact.replace(exact.size() - 2, 2, "\xE2\x82");
    EXPECT_EQ(read(exact), WideText(exact.size() - 2, u'a') + u"\uFFFD");

    std::string wide = "\xFF\xFE";
    for (char16_t c : expected)
        wide += {char(c & 0xFF), char(c >> 8)};
    const std::string fifo = dir.file("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << wide; });
    WideText text;
    EXPECT_EQ(ReadTextFile(fifo, text), 0);
    writer.join();
    EXPECT_EQ(text, expected);
}

TEST_F(TextFileTest, WriteKeepsPermissionsAndLinks) {
    const std::string path = dir.write("a.txt", "old");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_EQ(WriteTextFile(path, u"new"), 0);
    EXPECT_EQ(modeOf(path), 0640u);

    const mode_t mask = umask(022);
    umask(mask);
    ASSERT_EQ(WriteTextFile(dir.file("fresh.txt"), u"x"), 0);
    EXPECT_EQ(modeOf(dir.file("fresh.txt")), 0666u & ~mask);

    const std::string link = dir.file("link.txt");
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
    ASSERT_EQ(WriteTextFile(link, u"z"), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(path), std::string("\xFF\xFEz\0", 4));           // UTF-16LE with its mark
    EXPECT_EQ(dir.entries(), (Names{"a.txt", "fresh.txt", "link.txt"})); // no temporaries
}

TEST_F(TextFileTest, FailedOrRefusedWriteLeavesOldFileAndNoTemporaries) {
    const std::string path = dir.write("keep.pkg", "old");
    // A write that fails halfway: the file size limit stops it after 16 bytes.
    EXPECT_NE(
        test::WithFileSizeLimit(16, [&] { return WriteTextFile(path, WideText(1000, u'x')); }), 0);
    ASSERT_EQ(mkdir(dir.file("folder.pkg").c_str(), 0700), 0);
    EXPECT_EQ(WriteTextFile(dir.file("folder.pkg"), u"x"), err::kAccessDenied);

    EXPECT_EQ(WriteTextFile(dir.file("missing/a.pkg"), u"x"), err::kNotFound);
    EXPECT_EQ(WriteTextFile(path + "/a.pkg", u"x"), err::kNotFound); // parent is a file

    const ByteSource halfway = [](const ByteWriter& write) {
        write("new bytes");
        return err::kOutOfMemory;
    };
    EXPECT_EQ(WriteFileAtomically(path, 100, halfway), err::kOutOfMemory);

    // No write bit for anyone refuses the save even for root, whom access(2) would let through.
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    const std::string link = dir.file("link.pkg");
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
    for (const std::string& name : {path, link})
        EXPECT_EQ(WriteTextFile(name, u"new"), err::kAccessDenied) << name;
    // Each failure above would have left the new text or a temporary behind.
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(modeOf(path), 0444u);
    EXPECT_EQ(dir.entries(), (Names{"folder.pkg", "keep.pkg", "link.pkg"}));
}

const std::string kNew("\xFF\xFEn\0e\0w\0", 8);

// A new file in place of the old one would split the links: both names see the new text.
TEST_F(TextFileTest, HardLinkedFileIsRewrittenInPlace) {
    const std::string first = dir.write("first.pkg", "old"), second = dir.file("second.pkg");
    ASSERT_EQ(link(first.c_str(), second.c_str()), 0);
    ASSERT_EQ(WriteTextFile(second, u"new"), 0);
    ASSERT_EQ(WriteTextFile(first, u"n"), 0); // shorter: the rest is cut off
    EXPECT_EQ(ReadBytes(second), std::string("\xFF\xFEn\0", 4));
    EXPECT_TRUE(std::filesystem::equivalent(first, second));
    EXPECT_EQ(dir.entries(), (Names{"first.pkg", "second.pkg"}));
}

// No new entry can come into the folder: its write bits off, or, for root whom they do not
// bind, the immutable attribute (files inside stay writable). False when neither holds.
bool lockFolder(const std::string& folder, bool locked) {
    if (geteuid() != 0)
        return chmod(folder.c_str(), locked ? 0555 : 0700) == 0;
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    bool done = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = locked ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0)
        close(fd);
    return done;
}

TEST_F(TextFileTest, FileInReadOnlyFolderIsRewrittenInPlace) {
    const std::string path = dir.write("folder/keep.pkg", "old");
    const std::string folder = dir.file("folder");
    if (!lockFolder(folder, true))
        GTEST_SKIP() << "this file system cannot make the folder unwritable for root";
    struct Unlock { // an immutable folder would outlive the test's own folder
        std::string folder;
        ~Unlock() { lockFolder(folder, false); }
    } unlock{folder};
    EXPECT_EQ(WriteTextFile(path, u"new"), 0);
    EXPECT_EQ(ReadBytes(path), kNew);
    // No new file can come into the folder, and a file without write permission stays.
    EXPECT_EQ(WriteTextFile(folder + "/fresh.pkg", u"x"), err::kAccessDenied);
    ASSERT_EQ(chmod(path.c_str(), 0644 & ~0200), 0);
    EXPECT_EQ(WriteTextFile(path, u"other"), err::kAccessDenied);
    EXPECT_EQ(ReadBytes(path), kNew);
    ASSERT_TRUE(lockFolder(folder, false));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

} // namespace
} // namespace tb
