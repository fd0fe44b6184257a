#include "model/tables.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

TEST(LanguageTable, CodesNamesAndNumbers) {
    for (auto [number, code, name] :
         {std::tuple(1u, u"EN", u"English"), std::tuple(46u, u"CE", u"English Canadian "),
          std::tuple(48u, u"48", u"English South African"), std::tuple(98u, u"ZU", u"Zulu")})
        EXPECT_TRUE(LanguageCode(number) == code && LanguageName(number) == name) << number;
    // Every code reads back as its own number; reserved numbers have neither code nor name.
    int used = 0;
    for (uint32_t n = 0; n <= kLastLanguage + 1; ++n) {
        if (auto code = LanguageCode(n)) {
            ++used;
            EXPECT_EQ(LanguageFromCode(*code), static_cast<int32_t>(n)) << n;
        }
        EXPECT_EQ(bool(LanguageCode(n)), bool(LanguageName(n))) << n;
    }
    EXPECT_EQ(used, 96);
    // Codes ignore the case of ASCII letters only; SA is the code of earlier versions.
    EXPECT_EQ(std::tuple(LanguageFromCode(u"en"), LanguageFromCode(u"sA")), std::tuple(1, 48));
    for (std::u16string_view bad : {u"ih", u"", u"E", u"ENG", u"\u0131f", u"\u0130F", u"1", u"048"})
        EXPECT_EQ(LanguageFromCode(bad), -1);
}

// Keywords in any case; the names the views and the documents show.
TEST(PackageTypeTable, KeywordsAndNames) {
    const std::u16string_view cases[kPackageTypeCount][4] = {
        {u"SA", u"SISAPP", u"Application", u"Application"},
        {u"SP", u"SisPatch", u"Add-on", u"Add-on"},
        {u"PU", u"PartialUpgrade", u"Patch", u"Patch"},
        {u"PA", u"piapp", u"Pre-installed application", u"Preinstalled Application"},
        {u"PP", u"PIPATCH", u"Pre-installed add-on", u"Preinstalled Add-on"}};
    for (int32_t t = 0; t < kPackageTypeCount; ++t) {
        const auto& [shortWord, longWord, name, documentName] = cases[t];
        EXPECT_EQ(std::tuple(PackageTypeKeyword(t), PackageTypeName(t), PackageTypeDocumentName(t)),
                  std::tuple(shortWord, name, documentName));
        EXPECT_TRUE(PackageTypeFromKeyword(shortWord) == t &&
                    PackageTypeFromKeyword(longWord) == t);
    }
}

// The short forms, unknown words and RW are read in the reader's items and syntax errors, the
// header options in the package forms; the package types' texts share the range check.
TEST(OptionKeywords, LongFormsInAnyCaseAndNoKeywordOutOfRange) {
    EXPECT_EQ(std::tuple(FileOptionFromKeyword(u"FileText"), RunOptionFromKeyword(u"runboth"),
                         TextOptionFromKeyword(u"TextExit")),
              std::tuple(3, 2, 2));
    EXPECT_EQ(HeaderOptionFromKeyword(u"ShutDownApps"), HeaderOption::ShutdownApps);
    for (int32_t v : {-1, 3})
        EXPECT_TRUE(RunKeyword(v).empty() && TextKeyword(v).empty()) << v;
}

TEST(PlatformTable, UnusedIndexesAreEmpty) {
    for (int32_t i : {0, 6, 7, -1, kPlatformCount})
        EXPECT_TRUE(Platform(i).uid == 0 && Platform(i).dependencyName.empty()) << i;
}

TEST(MimeTables, ExtensionOfTheFileNameComparedExactlyWithFallbacks) {
    struct Case {
        bool (*lookup)(std::u16string_view, WideText&);
        std::u16string_view path, mime;
        bool found;
    };
    for (const Case& c : {Case{MimeForFile, u"C:\\a\\b.jpg", u"image/jpeg", true},
                          Case{MimeForFile, u"C:\\a\\b.JPG", u"text/plain", false},
                          Case{MimeForFile, u"C:\\a.b\\readme", u"text/plain", false},
                          Case{MimeForFile, u"/a.b/c", u"text/plain", false},
                          Case{ImageMimeForFile, u"logo.mbm", u"image/x-epoc-mbm", true},
                          Case{ImageMimeForFile, u"logo.svg", u"image/unknown", false}}) {
        WideText mime = u"stale";
        EXPECT_EQ(c.lookup(c.path, mime), c.found);
        EXPECT_EQ(mime, c.mime);
    }
}

} // namespace
} // namespace tb
