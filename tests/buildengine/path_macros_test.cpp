#include "buildengine/path_macros.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tb {
namespace {

// Cases are written with Windows host paths for the reader and run in Posix style, the only
// one the product uses, with E:\ turned into /e/.
WideText onPosix(std::u16string_view path) {
    if (!path.starts_with(u"E:\\"))
        return WideText(path);
    WideText result = u"/e/" + WideText(path.substr(3));
    std::replace(result.begin(), result.end(), u'\\', u'/');
    return result;
}

// The empty root of the first must match nothing.
const SdkList kSdks = {{}, {u"", u"", u"/e/S"}, {u"", u"", u"/e/S/sub"}};

struct Case {
    std::u16string_view in, out;
};

constexpr std::u16string_view kBase = u"/e/Work/App/";

WideText Expand(std::u16string_view in, BuildPlatform platform, BuildTarget target) {
    return ExpandSourcePath(in, kBase, kSdks[1], platform, target, PathStyle::Posix);
}

TEST(PathMacros, ExpandSourcePath) {
    for (const Case& c : {
             Case{u"$(EPOCROOT)\\epoc32\\release\\$(PLATFORM)\\$(TARGET)\\a.exe",
                  u"E:\\S\\epoc32\\release\\armv5\\udeb\\a.exe"},
             Case{u"$(EPOCROOT)Epoc32\\data\\z\\x.rsc", u"E:\\S\\epoc32\\data\\z\\x.rsc"},
             Case{u"..\\shared\\a.txt", u"E:\\Work\\shared\\a.txt"},
             Case{u"D:\\x.txt", u"D:\\x.txt"},
             // Generated packages put the macros under absolute or relative paths, twice too.
             Case{u"D:\\$(TARGET)\\$(PLATFORM)\\$(TARGET).txt", u"D:\\udeb\\armv5\\udeb.txt"},
             Case{u"bin\\$(PLATFORM)\\a.exe", u"E:\\Work\\App\\bin\\armv5\\a.exe"},
             Case{u"$(EPOCROOT)\\$(PLATFORM)\\$(PLATFORM)", u"E:\\S\\armv5\\armv5"},
         }) {
        EXPECT_EQ(Expand(c.in, BuildPlatform::Armv5, BuildTarget::Udeb), onPosix(c.out));
    }
    SdkInfo upper;
    upper.epocRoot = u"/Epoc32"; // folder names of the root itself are kept
    EXPECT_EQ(ExpandSourcePath(u"$(EPOCROOT)\\Epoc32\\a", u"/w/", upper, BuildPlatform::Gcce,
                               BuildTarget::Urel, PathStyle::Posix),
              u"/Epoc32/epoc32/a");
    EXPECT_EQ(ExpandSourcePath(u"/sdk/epoc32/release/$(PLATFORM)/$(TARGET)/app.exe", u"/w/", upper,
                               BuildPlatform::Winscw, BuildTarget::Udeb, PathStyle::Posix),
              u"/sdk/epoc32/release/winscw/udeb/app.exe");
    const std::u16string tooLong(kMaxPosixPath, u'a'); // cannot be resolved: unchanged
    EXPECT_EQ(Expand(tooLong, BuildPlatform::Gcce, BuildTarget::Urel), tooLong);
}

TEST(PathMacros, MacroizeSdkPath) {
    for (const Case& c : {
             Case{u"E:\\S\\epoc32\\release\\winscw\\udeb\\a.dll",
                  u"$(EPOCROOT)\\epoc32\\release\\$(PLATFORM)\\$(TARGET)\\a.dll"},
             // Only whole, exact-case folder names right after \epoc32\release\ are replaced.
             Case{u"E:\\S\\EPOC32\\Release\\GCCE\\UREL\\a",
                  u"$(EPOCROOT)\\EPOC32\\Release\\$(PLATFORM)\\$(TARGET)\\a"},
             Case{u"E:\\S\\epoc32\\release\\Gcce\\urel\\a",
                  u"$(EPOCROOT)\\epoc32\\release\\Gcce\\$(TARGET)\\a"},
             Case{u"E:\\S\\epoc32\\release\\gcce_x\\urel2\\gcce\\urel",
                  u"$(EPOCROOT)\\epoc32\\release\\gcce_x\\urel2\\gcce\\urel"},
             Case{u"E:\\S\\epoc32\\release\\armv5\\urel",
                  u"$(EPOCROOT)\\epoc32\\release\\$(PLATFORM)\\urel"},
             // The first root that holds the path, ending at a separator.
             Case{u"E:\\S\\sub\\a.txt", u"$(EPOCROOT)\\sub\\a.txt"},
             Case{u"E:\\S", u"$(EPOCROOT)"},
             Case{u"E:\\S2\\file.txt", u"-"},
         }) {
        EXPECT_EQ(MacroizeSdkPath(onPosix(c.in), kSdks, PathStyle::Posix).value_or(u"-"), c.out);
    }
    EXPECT_FALSE(MacroizeSdkPath(u"/e/S/a.dll", {SdkInfo{{}, {}, u"/e/s"}}, PathStyle::Posix));
}

TEST(PathMacros, MakeStoredPathExpandsBackToTheChosenFile) {
    for (const Case& c : {
             Case{u"E:\\Work\\App\\gfx\\a.mbm", u".\\gfx\\a.mbm"},
             Case{u"E:\\Work\\shared\\a.txt", u"..\\shared\\a.txt"},
             Case{u"E:\\S\\epoc32\\release\\gcce\\urel\\a.exe",
                  u"$(EPOCROOT)\\epoc32\\release\\$(PLATFORM)\\$(TARGET)\\a.exe"},
             Case{u"D:\\a.mbm", u"D:\\a.mbm"}, // a Windows drive path is kept as it is
         }) {
        EXPECT_EQ(MakeStoredPath(onPosix(c.in), kBase, kSdks, PathStyle::Posix), c.out);
        EXPECT_EQ(Expand(c.out, BuildPlatform::Gcce, BuildTarget::Urel), onPosix(c.in));
    }
}

} // namespace
} // namespace tb
