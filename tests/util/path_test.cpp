#include "util/path.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

constexpr auto W = PathStyle::Windows;
constexpr auto P = PathStyle::Posix;

void expectParts(std::u16string_view path, PathStyle style, std::optional<char16_t> drive,
                 std::u16string_view directory, std::u16string_view fileName,
                 std::u16string_view extension) {
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    PathParts parts = splitPath(path, style);
    EXPECT_EQ(parts.drive, drive);
    EXPECT_EQ(parts.directory, directory);
    EXPECT_EQ(parts.fileName, fileName);
    EXPECT_EQ(parts.extension, extension);
}

TEST(PathTest, SplitPath) {
    expectParts(u"E:\\Work\\App\\MyApp.pkg", W, u'E', u"\\Work\\App", u"MyApp.pkg", u".pkg");
    expectParts(u"E:\\Work\\", W, u'E', u"\\Work", u"", u"");
    expectParts(u"a.b.sis", W, std::nullopt, u"", u"a.b.sis", u".sis");
    expectParts(u".sis", W, std::nullopt, u"", u"", u".sis");
    expectParts(u"E:a.txt", W, u'E', u"", u"a.txt", u".txt");
    expectParts(u"\\dir.d\\name", W, std::nullopt, u"\\dir.d", u"name", u"");
    expectParts(u"", W, std::nullopt, u"", u"", u"");
    expectParts(u"C:/a", P, std::nullopt, u"C:", u"a", u"");
    expectParts(u"/x", P, std::nullopt, u"", u"x", u"");
    expectParts(u"a\\b.c", P, std::nullopt, u"", u"a\\b.c", u".c");
}

TEST(PathTest, Combine) {
    const std::u16string_view base = u"E:\\Work\\App\\";
    EXPECT_EQ(combinePath(base, u"gfx\\icon.mbm"), u"E:\\Work\\App\\gfx\\icon.mbm");
    EXPECT_EQ(combinePath(base, u"..\\shared\\a.txt"), u"E:\\Work\\shared\\a.txt");
    EXPECT_EQ(combinePath(base, u".\\.\\a"), u"E:\\Work\\App\\a");
    EXPECT_EQ(combinePath(u"E:\\Work", u"a"), u"E:\\Work\\a");
    EXPECT_EQ(combinePath(base, u"..\\..\\..\\..\\x"), u"E:\\x"); // never above the root
    EXPECT_EQ(combinePath(base, u"\\x\\y"), u"E:\\x\\y");
    EXPECT_EQ(combinePath(u"\\\\srv\\share\\d", u"\\x"), u"\\\\srv\\share\\x");
    EXPECT_EQ(combinePath(base, u"D:\\x.txt"), u"D:\\x.txt");
    EXPECT_EQ(combinePath(base, u"d\\"), u"E:\\Work\\App\\d\\");
    EXPECT_EQ(combinePath(u"a", u"..\\..\\b"), u"..\\b");

    WideText name(260 - 3, u'n');
    EXPECT_EQ(combinePath(u"E:\\", name)->size(), 260u);
    EXPECT_EQ(combinePath(u"E:\\", name + u"n"), std::nullopt);

    EXPECT_EQ(combinePath(u"/home/me/App", u"../x", P), u"/home/me/x");
    EXPECT_EQ(combinePath(u"/home", u"/etc/x", P), u"/etc/x");
    EXPECT_EQ(combinePath(u"/home", u"a\\b", P), u"/home/a\\b");
    EXPECT_EQ(combinePath(u"/", WideText(4096, u'n'), P), std::nullopt);
}

TEST(PathTest, Relative) {
    const std::u16string_view base = u"E:\\Work\\App\\";
    EXPECT_EQ(relativePath(base, u"E:\\Work\\App\\gfx\\a.mbm"), u".\\gfx\\a.mbm");
    EXPECT_EQ(relativePath(base, u"E:\\Work\\shared\\a.txt"), u"..\\shared\\a.txt");
    EXPECT_EQ(relativePath(u"E:\\Work\\App", u"e:\\WORK\\app\\a"), u".\\a");
    EXPECT_EQ(relativePath(base, u"E:\\Work\\Apple\\a"), u"..\\Apple\\a");
    EXPECT_EQ(relativePath(base, u"D:\\Work\\App\\a"), std::nullopt);
    EXPECT_EQ(relativePath(base, u"\\Work\\App\\a"), std::nullopt);

    EXPECT_EQ(relativePath(u"/home/me/App", u"/home/me/App/gfx/a.mbm", P), u"./gfx/a.mbm");
    EXPECT_EQ(relativePath(u"/home/me/App", u"/home/me/app/a", P), u"../app/a");
    EXPECT_EQ(relativePath(u"/", u"/a", P), u"./a");
    EXPECT_EQ(relativePath(u"/home", u"rel/a", P), std::nullopt);
}

} // namespace
} // namespace tb
