#include "model/tables.h"

#include <gtest/gtest.h>

#include <limits>

namespace tb {
namespace {

TEST(LanguageTable, CodesAndNamesIncludingTrailingSpaces) {
    struct Case {
        uint32_t number;
        std::u16string_view code, name;
    };
    for (const Case& c :
         {Case{1, u"EN", u"English"}, Case{11, u"SF", u"Swiss French"},
          Case{24, u"IF", u"International French"}, Case{46, u"CE", u"English Canadian "},
          Case{48, u"SA", u"English South African"}, Case{84, u"SH", u"Swahili"},
          Case{91, u"CT", u"Turkish Cyprus "}, Case{98, u"ZU", u"Zulu"}}) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(LanguageCode(c.number), c.code);
        EXPECT_EQ(LanguageName(c.number), c.name);
    }
}

TEST(LanguageTable, EveryCodeReadsBackAsItsOwnNumberAndReservedOnesHaveNone) {
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
}

TEST(LanguageTable, FromCodeIgnoresAsciiCaseOnly) {
    EXPECT_EQ(LanguageFromCode(u"en"), 1);
    EXPECT_EQ(LanguageFromCode(u"sA"), 48);
    EXPECT_EQ(LanguageFromCode(u"IF"), 24);
    EXPECT_EQ(LanguageFromCode(u"SH"), 84);
    for (std::u16string_view bad : {u"ih", u"", u"E", u"ENG", u"\u0131f", u"\u0130F"})
        EXPECT_EQ(LanguageFromCode(bad), -1);
}

TEST(PackageTypeTable, KeywordsAndNames) {
    struct Case {
        std::u16string_view shortWord, longWord, name, documentName;
    };
    const Case cases[kPackageTypeCount] = {
        {u"SA", u"SISAPP", u"Application", u"Application"},
        {u"SP", u"SISPATCH", u"Add-on", u"Add-on"},
        {u"PU", u"PARTIALUPGRADE", u"Patch", u"Patch"},
        {u"PA", u"PIAPP", u"Pre-installed application", u"Preinstalled Application"},
        {u"PP", u"PIPATCH", u"Pre-installed add-on", u"Preinstalled Add-on"}};
    for (int32_t t = 0; t < kPackageTypeCount; ++t) {
        SCOPED_TRACE(t);
        EXPECT_EQ(PackageTypeKeyword(t), cases[t].shortWord);
        EXPECT_EQ(PackageTypeName(t), cases[t].name);
        EXPECT_EQ(PackageTypeDocumentName(t), cases[t].documentName);
        EXPECT_EQ(PackageTypeFromKeyword(cases[t].shortWord), t);
        EXPECT_EQ(PackageTypeFromKeyword(cases[t].longWord), t);
    }
    EXPECT_EQ(PackageTypeFromKeyword(u"PartialUpgrade"), 2);
    EXPECT_EQ(PackageTypeFromKeyword(u"pa"), 3);
    EXPECT_EQ(PackageTypeFromKeyword(u"SIS"), -1);
    EXPECT_EQ(PackageTypeFromKeyword(u""), -1);
    for (int32_t t : {-1, kPackageTypeCount, std::numeric_limits<int32_t>::min()}) {
        EXPECT_TRUE(PackageTypeKeyword(t).empty());
        EXPECT_TRUE(PackageTypeName(t).empty());
        EXPECT_TRUE(PackageTypeDocumentName(t).empty());
    }
}

TEST(OptionKeywords, LookupsIgnoreCase) {
    struct Case {
        int32_t (*lookup)(std::u16string_view);
        std::u16string_view word;
        int32_t value;
    };
    for (const Case& c :
         {Case{FileOptionFromKeyword, u"FF", 0}, Case{FileOptionFromKeyword, u"fn", 4},
          Case{FileOptionFromKeyword, u"Ft", 3}, Case{FileOptionFromKeyword, u"FR", 1},
          Case{FileOptionFromKeyword, u"FM", 2}, Case{FileOptionFromKeyword, u"file", 0},
          Case{FileOptionFromKeyword, u"FILENULL", 4}, Case{FileOptionFromKeyword, u"FileText", 3},
          Case{FileOptionFromKeyword, u"FX", -1}, Case{FileOptionFromKeyword, u"", -1},
          Case{RunOptionFromKeyword, u"runboth", 2}, Case{RunOptionFromKeyword, u"RUNREMOVE", 1},
          Case{RunOptionFromKeyword, u"RW", -1}, Case{TextOptionFromKeyword, u"TextExit", 2},
          Case{TextOptionFromKeyword, u"TEXTABORT", 1}, Case{TextOptionFromKeyword, u"T", -1}}) {
        EXPECT_EQ(c.lookup(c.word), c.value) << std::string(c.word.begin(), c.word.end());
    }
}

TEST(OptionKeywords, RunAndTextKeywordsRoundTrip) {
    for (int32_t v = 0; v < 3; ++v) {
        EXPECT_EQ(RunOptionFromKeyword(RunKeyword(v)), v);
        EXPECT_EQ(TextOptionFromKeyword(TextKeyword(v)), v);
    }
    EXPECT_EQ(RunKeyword(0), u"RI");
    EXPECT_EQ(TextKeyword(2), u"TE");
    for (int32_t v : {-1, 3}) {
        EXPECT_TRUE(RunKeyword(v).empty());
        EXPECT_TRUE(TextKeyword(v).empty());
    }
}

TEST(OptionKeywords, RunWaitAndHeaderWords) {
    EXPECT_TRUE(IsRunWaitKeyword(u"RW"));
    EXPECT_TRUE(IsRunWaitKeyword(u"RUNWAITEND"));
    for (std::u16string_view word : {u"rw", u"RunWaitEnd", u"", u"RWX"})
        EXPECT_FALSE(IsRunWaitKeyword(word));

    EXPECT_EQ(HeaderOptionFromKeyword(u"type"), HeaderOption::Type);
    EXPECT_EQ(HeaderOptionFromKeyword(u"Nc"), HeaderOption::NoCompress);
    EXPECT_EQ(HeaderOptionFromKeyword(u"NoCompress"), HeaderOption::NoCompress);
    EXPECT_EQ(HeaderOptionFromKeyword(u"sh"), HeaderOption::ShutdownApps);
    EXPECT_EQ(HeaderOptionFromKeyword(u"SHUTDOWNAPPS"), HeaderOption::ShutdownApps);
    for (std::u16string_view word : {u"", u"TYPE=SA", u"IU", u"NOCOMP"})
        EXPECT_EQ(HeaderOptionFromKeyword(word), HeaderOption::Unknown);
}

TEST(PlatformTable, UidsNamesAndUnusedIndexes) {
    EXPECT_EQ(Platform(1).uid, 0x101f7961u);
    EXPECT_EQ(Platform(2).dependencyName, u"S60 3rd Edition, FP1");
    EXPECT_EQ(Platform(4).uid, Platform(5).uid);
    EXPECT_EQ(Platform(5).dependencyName, u"Symbian^1");
    EXPECT_EQ(Platform(9).uid, 0x101f63dfu);
    EXPECT_EQ(Platform(9).dependencyName, u"UIQ v3.1");
    for (int32_t i : {0, 6, 7, -1, kPlatformCount}) {
        EXPECT_EQ(Platform(i).uid, 0u) << i;
        EXPECT_TRUE(Platform(i).dependencyName.empty()) << i;
    }
}

TEST(MimeTables, ExtensionOfTheFileNameComparedExactlyWithFallbacks) {
    struct Case {
        bool (*lookup)(std::u16string_view, WideText&);
        std::u16string_view path, mime;
        bool found;
    };
    for (const Case& c : {Case{MimeForFile, u"C:\\a\\b.jpg", u"image/jpeg", true},
                          Case{MimeForFile, u"C:\\a\\b.JPG", u"text/plain", false},
                          Case{MimeForFile, u"/home/me/x.png", u"image/png", true},
                          Case{MimeForFile, u"a.tar.movie", u"video/x-sgi-movie", true},
                          Case{MimeForFile, u"C:\\a.b\\readme", u"text/plain", false},
                          Case{MimeForFile, u"/a.b/c", u"text/plain", false},
                          Case{MimeForFile, u"name.", u"text/plain", false},
                          Case{MimeForFile, u"", u"text/plain", false},
                          Case{ImageMimeForFile, u"logo.mbm", u"image/x-epoc-mbm", true},
                          Case{ImageMimeForFile, u"gfx\\logo.png", u"image/png", true},
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
