#include "editing/file_checks.h"
#include "editing/file_choices.h"
#include "editing/file_sources.h"

#include "util/text_convert.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

TEST(FileChecksTest, TargetNamesAndMimeTypes) {
    EXPECT_EQ(CheckTargetName(u"readme.txt"), std::nullopt);
    EXPECT_EQ(CheckTargetName(u""), kEnterTargetName);
    EXPECT_EQ(CheckTargetName(u"con"), kInvalidTargetName);
    EXPECT_EQ(CheckMimeType(u"text"), kInvalidMimeType);
    EXPECT_EQ(CheckMimeType(u"image/svg+xml"), std::nullopt);
    EXPECT_EQ(FirstMissingSource({u"a", u"b"}), std::nullopt);
    EXPECT_EQ(FirstMissingSource({u"a", u"", u""}), 1u);
}

TEST(FileChoicesTest, ApplyingChoicesTellsWhetherAnythingChanged) {
    InstallFileItem file;
    file.drive = u'c';
    file.fileType = FileType::FR;
    file.runOption = RunOption::RR;
    file.runWaitEnd = false;

    EXPECT_FALSE(ApplyChoices(file, ChoicesOf(file)));
    EXPECT_EQ(file.drive, u'c');

    EXPECT_TRUE(ApplyChoices(file, {0, 2, false}));
    EXPECT_EQ(file.drive, u'!');
    EXPECT_TRUE(ApplyChoices(file, {0, 0, false}));
    EXPECT_EQ(file.fileType, FileType::FF);
    EXPECT_TRUE(ApplyChoices(file, {0, 0, true}));
    EXPECT_TRUE(file.runWaitEnd);
    EXPECT_TRUE(ApplyChoices(file, {5, 3, true}));
    EXPECT_EQ(ChoicesOf(file).driveEntry, 5);
    EXPECT_EQ(file.drive, u'E');
    EXPECT_EQ(file.fileType, FileType::FR);
    EXPECT_EQ(file.runOption, RunOption::RB);
}

TEST(FileChoicesTest, TargetSplitsAtTheLastBackslash) {
    const struct {
        const char16_t *target, *folder, *name;
    } cases[] = {{u"\\sys\\bin\\app.exe", u"\\sys\\bin\\", u"app.exe"},
                 {u"app.exe", u"", u"app.exe"},
                 {u"\\private\\a\\", u"\\private\\a\\", u""},
                 {u"", u"", u""}};
    for (const auto& c : cases) {
        TargetParts parts = SplitTarget(c.target);
        EXPECT_EQ(parts.folder, c.folder);
        EXPECT_EQ(parts.name, c.name);
    }
}

// The stored path's edges are PathMacros', the target's DeviceFolders'.
TEST(FileSourcesTest, NewFilesAreStoredRelativeWithTheirDefaultTarget) {
    SdkList sdks;
    sdks.push_back(SdkInfo{u"S60", u"S60", u"/opt/sdk"});
    const struct {
        const char16_t *path, *source, *target;
    } cases[] = {
        {u"/work/app/gfx/a.mbm", u".\\gfx\\a.mbm", u"\\resource\\apps\\a.mbm"},
        {u"/opt/sdk/epoc32/release/gcce/urel/app.exe",
         u"$(EPOCROOT)\\epoc32\\release\\$(PLATFORM)\\$(TARGET)\\app.exe", u"\\sys\\bin\\app.exe"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<InstallFileItem> file =
            NewInstallFile(c.path, u"/work/app", sdks, 0xA0001234);
        EXPECT_EQ(file->source, c.source) << wideToUtf8(c.path);
        EXPECT_EQ(file->target, c.target);
        EXPECT_EQ(file->drive, u'!');
        EXPECT_EQ(file->fileType, FileType::FF);
    }
    EXPECT_EQ(StoredSourcePath(u"/work/app/a.txt", u"/work/app/", {}), u".\\a.txt");
}

} // namespace
} // namespace tb
