#include "util/text_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tb {
namespace {

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tb_textfile_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        chmod(dir.c_str(), 0700);
        std::filesystem::remove_all(dir);
    }
    std::string write(const std::string& name, const std::string& bytes) {
        std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string bytesOf(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static std::vector<std::string> entries(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        return names;
    }
    WideText read(const std::string& bytes) {
        WideText text = u"previous";
        EXPECT_EQ(ReadTextFile(write("in.txt", bytes), text), 0);
        return text;
    }
    std::string dir;
};

TEST_F(TextFileTest, ReadsByByteOrderMark) {
    EXPECT_EQ(read("\xFF\xFE"), u"");
    EXPECT_EQ(read("\xEF\xBB\xBF"
                   "abc"),
              u"abc");
    EXPECT_EQ(read(std::string("\xFF\xFE"
                               "a\0\xAC\x20",
                               6)),
              u"a\u20AC");
    EXPECT_EQ(read(std::string("\xFE\xFF\0a\x20\xAC", 6)), u"a\u20AC");
    EXPECT_EQ(read(std::string("\xFF\xFE"
                               "a\0b",
                               5)),
              u"a");                        // odd final byte dropped
    EXPECT_EQ(read("\xC3\xA9"), u"\u00E9"); // no mark: UTF-8
    EXPECT_EQ(read("\xE9"), u"\uFFFD");
    EXPECT_EQ(read(""), u"");
    EXPECT_EQ(read("ab"), u"ab"); // shorter than any mark
}

TEST_F(TextFileTest, ReadsLongFilesAcrossPieces) {
    // "€😀é" is 9 bytes, so sequences straddle every 128-byte piece boundary with or without
    // the 3-byte mark; the text ends in an incomplete sequence.
    std::string unit = "\xE2\x82\xAC\xF0\x9F\x98\x80\xC3\xA9";
    std::string bytes;
    WideText expected;
    for (int i = 0; i < 60; ++i) {
        bytes += unit;
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
    EXPECT_EQ(ReadTextFile(dir + "/missing.txt", text), err::kNotFound);
    EXPECT_EQ(text, u"");
    EXPECT_EQ(ReadTextFile(dir + "/missing/a.txt", text), err::kNotFound);
    EXPECT_EQ(ReadTextFile(dir, text), err::kAccessDenied); // a folder
}

TEST_F(TextFileTest, WritesUtf16WithMarkAndReadsBack) {
    std::string path = dir + "/out.pkg";
    ASSERT_EQ(WriteTextFile(path, u"ab"), 0);
    EXPECT_EQ(bytesOf(path), std::string("\xFF\xFE"
                                         "a\0b\0",
                                         6));
    WideText text = u"\u00E9\U0001F600\r\n";
    ASSERT_EQ(WriteTextFile(path, text), 0);
    WideText back;
    ASSERT_EQ(ReadTextFile(path, back), 0);
    EXPECT_EQ(back, text);
    EXPECT_EQ(entries(dir), std::vector<std::string>{"out.pkg"});
}

TEST_F(TextFileTest, WriteKeepsPermissionsAndLinks) {
    std::string path = write("a.txt", "old");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_EQ(WriteTextFile(path, u"new"), 0);
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    mode_t mask = umask(022);
    umask(mask);
    ASSERT_EQ(WriteTextFile(dir + "/fresh.txt", u"x"), 0);
    ASSERT_EQ(stat((dir + "/fresh.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666u & ~mask);

    std::string link = dir + "/link.txt";
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
    ASSERT_EQ(WriteTextFile(link, u"z"), 0);
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(bytesOf(path), std::string("\xFF\xFEz\0", 4));
}

TEST_F(TextFileTest, FailedWriteLeavesOldFileAndNoTemporaries) {
    std::string path = write("keep.pkg", "old");
    // A write that fails halfway: the file size limit stops it after 16 bytes.
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    ErrorCode result = WriteTextFile(path, WideText(1000, u'x'));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_NE(result, 0);
    EXPECT_EQ(bytesOf(path), "old");
    EXPECT_EQ(entries(dir), std::vector<std::string>{"keep.pkg"});

    // A folder where the file should go cannot be replaced.
    ASSERT_EQ(mkdir((dir + "/folder.pkg").c_str(), 0700), 0);
    EXPECT_EQ(WriteTextFile(dir + "/folder.pkg", u"x"), err::kAccessDenied);
    EXPECT_EQ(entries(dir).size(), 2u);

    EXPECT_EQ(WriteTextFile(dir + "/missing/a.pkg", u"x"), err::kNotFound);
    EXPECT_EQ(WriteTextFile(path + "/a.pkg", u"x"), err::kNotFound); // parent is a file
}

TEST_F(TextFileTest, WriteIntoReadOnlyFolderIsRefused) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions; FailedWriteLeavesOldFileAndNoTemporaries"
                        " covers failing writes";
    std::string path = write("keep.pkg", "old");
    ASSERT_EQ(chmod(dir.c_str(), 0500), 0);
    EXPECT_EQ(WriteTextFile(path, u"new"), err::kAccessDenied);
    chmod(dir.c_str(), 0700);
    EXPECT_EQ(bytesOf(path), "old");
    EXPECT_EQ(entries(dir), std::vector<std::string>{"keep.pkg"});
}

} // namespace
} // namespace tb
