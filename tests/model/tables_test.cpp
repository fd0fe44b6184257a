#include "model/tables.h"

#include "util/text_convert.h"

#include <gtest/gtest.h>

#include <limits>

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
    for (uint32_t n : {0u, 86u, 95u, 99u, std::numeric_limits<uint32_t>::max()})
        EXPECT_FALSE(LanguageCode(n) || LanguageName(n)) << n;
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
    EXPECT_TRUE(PackageTypeFromKeyword(u"SIS") == -1 && PackageTypeFromKeyword(u"") == -1);
    for (int32_t t : {-1, kPackageTypeCount, std::numeric_limits<int32_t>::min()})
        EXPECT_TRUE(PackageTypeKeyword(t).empty() && PackageTypeName(t).empty() &&
                    PackageTypeDocumentName(t).empty());
}

TEST(OptionKeywords, LookupsIgnoreCaseAndKeywordsReadBack) {
    using Lookup = int32_t (*)(std::u16string_view);
    const Lookup file = FileOptionFromKeyword, run = RunOptionFromKeyword,
                 text = TextOptionFromKeyword;
    const std::tuple<Lookup, std::u16string_view, int32_t> cases[] = {
        {file, u"FF", 0},  {file, u"fn", 4},       {file, u"Ft", 3},        {file, u"FR", 1},
        {file, u"FM", 2},  {file, u"file", 0},     {file, u"FILENULL", 4},  {file, u"FileText", 3},
        {file, u"FX", -1}, {file, u"", -1},        {run, u"runboth", 2},    {run, u"RUNREMOVE", 1},
        {run, u"RW", -1},  {text, u"TextExit", 2}, {text, u"TEXTABORT", 1}, {text, u"T", -1}};
    for (const auto& [lookup, word, value] : cases)
        EXPECT_EQ(lookup(word), value) << wideToUtf8(WideText(word));
    // The keywords written read back in the round trips of the package forms.
    for (int32_t v : {-1, 3})
        EXPECT_TRUE(RunKeyword(v).empty() && TextKeyword(v).empty()) << v;

    // RW and RUNWAITEND are read in the reader's items.
    for (std::u16string_view word : {u"rw", u"RunWaitEnd", u"", u"RWX"})
        EXPECT_FALSE(IsRunWaitKeyword(word));
    using H = HeaderOption;
    for (auto [word, option] : {std::pair(u"type", H::Type), std::pair(u"Nc", H::NoCompress),
                                std::pair(u"SHUTDOWNAPPS", H::ShutdownApps)})
        EXPECT_EQ(HeaderOptionFromKeyword(word), option) << wideToUtf8(word);
    for (std::u16string_view word : {u"", u"TYPE=SA", u"IU", u"NOCOMP"})
        EXPECT_EQ(HeaderOptionFromKeyword(word), H::Unknown) << wideToUtf8(word);
}

TEST(PlatformTable, UnusedIndexesAreEmpty) {
    EXPECT_EQ(Platform(4).uid, Platform(5).uid); // two names for one platform
    for (int32_t i : {0, 6, 7, -1, kPlatformCount})
        EXPECT_TRUE(Platform(i).uid == 0 && Platform(i).dependencyName.empty()) << i;
    EXPECT_FALSE(Platform(kPlatformCount - 1).dependencyName.empty());
}

TEST(MimeTables, ExtensionOfTheFileNameComparedExactlyWithFallbacks) {
    struct Case {
        bool (*lookup)(std::u16string_view, WideText&);
        std::u16string_view path, mime;
        bool found;
    };
    for (const Case& c : {Case{MimeForFile, u"C:\\a\\b.jpg", u"image/jpeg", true},
                          Case{MimeForFile, u"C:\\a\\b.JPG", u"text/plain", false},
                          Case{MimeForFile, u"a.tar.movie", u"video/x-sgi-movie", true},
                          Case{MimeForFile, u"C:\\a.b\\readme", u"text/plain", false},
                          Case{MimeForFile, u"/a.b/c", u"text/plain", false},
                          Case{MimeForFile, u"name.", u"text/plain", false},
                          Case{ImageMimeForFile, u"logo.mbm", u"image/x-epoc-mbm", true},
                          Case{ImageMimeForFile, u"logo.svg", u"image/unknown", false},
                          Case{ImageMimeForFile, u"logo.PNG", u"image/unknown", false},
                          Case{ImageMimeForFile, u"/x.y/logo", u"image/unknown", false}}) {
        WideText mime = u"stale";
        EXPECT_EQ(c.lookup(c.path, mime), c.found);
        EXPECT_EQ(mime, c.mime);
    }
}

} // namespace
} // namespace tb
