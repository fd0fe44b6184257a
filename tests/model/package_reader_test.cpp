#include "model/package_reader.h"

#include "model/package_compare.h"
#include "model/package_lexer.h"
#include "model/package_parser.h"
#include "model/package_writer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tb {
namespace {

using namespace SymbianLib;
using test::Describe;
using test::DescribeItems;

constexpr uint32_t EN = 1, FR = 2;
const std::u16string kHead = u"&EN,FR\n#{\"A\",\"B\"},(0x1),1,0,0\n";
const std::u16string kNoNames = u"\n#{},(0x1),1,0,0\n"; // after a languages line
const std::u16string kTwoOptions = kHead + u"!({\"x\",\"x\"},{\"y\",\"y\"})\n";

int32_t ParseCode(std::u16string_view text) {
    std::unique_ptr<Package> package;
    return PackageParser(text).parse(package);
}

std::unique_ptr<Package> Parse(const std::u16string& text) {
    std::unique_ptr<Package> package;
    EXPECT_EQ(ParsePackageText(text, package), 0) << test::Text(text);
    return package ? std::move(package) : CreatePackage({});
}

std::u16string Repeat(std::u16string_view text, int count) {
    std::u16string out;
    while (count-- > 0)
        out += text;
    return out;
}

TEST(PackageReaderTest, SyntaxErrors) {
    const std::pair<int32_t, std::vector<std::u16string>> cases[] = {
        {EUnexpectedToken,
         {kHead + u"\"a\" \"b\"", u"&EN(1" + kNoNames, u"&EN\n#{\"A\",\"B\"},(1),1,0,0",
          u"&EN,FR\n#{\"A\"},(1),1,0,0", kHead + u"[0x1], a, 0, 0, {\"n\",\"n\"}",
          kHead + u"(0x1), 1, 0, 0 - 2, 0, 0, {\"n\",\"n\"}", kHead + u"}", kHead + u"ENDIF",
          kHead + u"IF NOT exists(1) ENDIF", kHead + u"=\"a\", \"image/png\" \"c:\\a\"",
          kHead + u"IF ENDIF", kHead + u"IF LANGUAGE = ENDIF", kHead + u"IF VOLUME > 1 ENDIF",
          kHead + u"IF option0 ENDIF", kHead + u"IF option ENDIF", kHead + u"IF appprop(1) ENDIF",
          kHead + u"IF LANGUAGE = 0x100000000 ENDIF",
          kHead + u"IF " + Repeat(u"NOT ", 65) + u"LANGUAGE ENDIF",
          kHead + u"*\"k.key\", \"c.cer\", PASS=\"x\""}},
        {EUnexpectedEnd,
         {kHead + u"\"a\" -", u"&", kHead + u":", kHead + u"; output_name",
          kTwoOptions + u"IF option1 \"a\"-\"b\"", kHead + u"*\"k.key\""}},
        {EIdentifierExpected,
         {u"&\"EN\"", u"&EN,\"FR\"" + kNoNames, kHead + u"\"a\"-\"b\", \"FF\"",
          u"&EN\n#{\"A\"},(1),1,0,0,5", kTwoOptions + u"IF option1 \"a\"-\"b\" endif",
          kTwoOptions + u"IF option1\n; sign_package\nENDIF",
          kHead + u"IF LANGUAGE = 1 ELSE ELSEIF LANGUAGE = 2 ENDIF"}},
        {ENumberExpected,
         {u"&EN\n#{\"A\"},(\"1\"),1,0,0", u"&EN\n#{\"A\"},(1),1,x,0", kHead + u"+(a=1)",
          u"&EN(" + kNoNames, u"&EN\n#{\"A\"},(0x1FFFFFFFF),1,0,0", u"&EN\n#{\"A\"},(-1),1,0,0",
          u"&EN\n#{\"A\"},(0x),1,0,0", u"&EN\n#{\"A\"},(1),2147483648,0,0",
          u"&EN\n#{\"A\"},(1),1,-2147483649,0", u"&EN\n#{\"A\"},(1),1,0,-0x1",
          u"&EN\n#{\"A\"},(1),+-1,0,0", u"&EN\n#{\"A\"},(1),1a,0,0",
          kHead + u"+(1=99999999999999999999)", kHead + u"(0x1FFFFFFFF), 1, 0, 0, {\"d\"}",
          kHead + u"(1), 1, 0, 0 ~ 0x100000000, 0, 0, {\"d\"}", kHead + u"@\"a.sis\",(0x100000000)",
          u"&EN\n#{\"A\"},(1),1,0,0\n{@\"a.sis\"},(4294967296)"}},
        // Numbers the language table lacks are refused as unknown codes are.
        {EUnknownLanguage,
         {u"&EN,XX", u"&IH", u"&86" + kNoNames, u"&0" + kNoNames, u"&99" + kNoNames,
          u"&-1" + kNoNames, u"&4294967345" + kNoNames /* 48 + 2^32 */,
          u"&99999999999999999999" + kNoNames, u"&EN(85)" + kNoNames, u"&EN(-1)" + kNoNames,
          u"&EN(2147483647)" + kNoNames, u"&EN(4294967343)" + kNoNames, u"&XX(1)" + kNoNames}},
        // Lines before the languages line assume English, as makesis does.
        {ELanguagesRedefined,
         {u"&EN\n&FR", u"#{\"A\"},(1),1,0,0\n&EN", u"%{\"v\"}\n&EN", u":\"v\"\n&EN",
          u"\"a\"-\"b\"\n&EN"}},
        {ENoPackage, {u"; only a comment\n", u"*\"k.key\", \"c.cer\""}},
        {EUnknownPackageType,
         {u"&EN\n#{\"A\"},(1),1,0,0,TYPE=FOO", u"&EN\n#{\"A\"},(1),1,0,0,TYPE=\"SA\""}},
        {EUnknownRunOption,
         {kHead + u"\"a\"-\"b\", FR, RX", kHead + u"\"a\"-\"b\", FR, RW",
          kHead + u"\"a\"-\"b\", FR, RI, rw",
          kHead + u"\"a\"-\"\", FM, \"text/plain\", RI, RUNWAIT"}},
        {EUnknownTextOption, {kHead + u"\"a\"-\"\", FT, TX"}},
        {EUnknownFileOption, {kHead + u"\"a\"-\"b\", FX"}},
    };
    for (const auto& [error, texts] : cases) {
        for (const std::u16string& text : texts) {
            EXPECT_EQ(ParseCode(text), error) << test::Text(text);
            std::unique_ptr<Package> package;
            EXPECT_EQ(ParsePackageText(text, package), err::kCorruptPackage);
            EXPECT_EQ(package, nullptr);
        }
    }
}

TEST(PackageReaderTest, LoadPackageResults) {
    std::unique_ptr<Package> package = CreatePackage({EN});
    EXPECT_EQ(LoadPackage("/nonexistent/dir/x.pkg", package), err::kNotFound);
    EXPECT_EQ(package, nullptr);
    test::TempDir dir;
    EXPECT_EQ(LoadPackage(dir.write("empty.pkg", "\xFF\xFE"), package), err::kCorruptPackage);
}

// A language is a code, a number or CODE(n), the code's number plus n.
TEST(PackageReaderTest, LanguageCodesAndNumbers) {
    const std::pair<std::u16string, std::vector<uint32_t>> cases[] = {
        {u"01,02,EN(48)", {EN, FR, 49}},
        {u"48,SA,sa,SF", {48, 48, 48, 11}}, // SA: files of earlier versions
        {u"EN(47),EN (47),FR(-1),ZU(0)", {48, 48, EN, 98}},
        {u"0x30,+48,098", {48, 48, 98}},
    };
    for (const auto& [languages, numbers] : cases) {
        std::u16string names;
        for (size_t i = 0; i < numbers.size(); ++i)
            names += i ? u",\"n\"" : u"\"n\"";
        EXPECT_EQ(Parse(u"&" + languages + u"\n#{" + names + u"},(0x1),1,0,0\n")->languages,
                  numbers)
            << test::Text(languages);
    }
    // A "(" on the next line starts a package dependency, not a CODE(n).
    auto p = Parse(u"&EN\n(0x5), 1, 0, 0, {\"d\"}\n#{\"A\"},(0x1),1,0,0\n");
    EXPECT_EQ(p->languages, std::vector<uint32_t>{EN});
    EXPECT_EQ(p->packageDependencies.at(0)->uid, 5u);
}

// A UID is unsigned 32-bit, every other number signed 32-bit, where 0x text up to 0xFFFFFFFF
// stands for its bit pattern (refusals in SyntaxErrors).
TEST(PackageReaderTest, NumbersMustFitTheirFields) {
    const std::u16string en = u"&EN\n", head = u"&EN\n#{\"A\"},(0x1),1,0,0\n";
    const struct {
        std::u16string text;
        std::string fragment; // of the package's description
    } fits[] = {
        {en + u"#{\"A\"},(0xFFFFFFFF),2147483647,-2147483648,0x80000000",
         "uid=0xffffffff type=0 version=2147483647.-2147483648.-2147483648 "},
        {en + u"#{\"A\"},(4294967295),+1,0xffffffff,0X7FFFFFFF",
         "uid=0xffffffff type=0 version=1.-1.2147483647 "},
        {head + u"+(0xFFFFFFFF=-2147483648, 2147483647=0)",
         "property -1=-2147483648\nproperty 2147483647=0\n"},
        {head + u"(0xFFFFFFFF), *, 0x7FFFFFFF, -1 ~ 0xFFFFFFFF, *, 2147483647, {\"d\"}",
         "package 0xffffffff -1.2147483647.-1~-1.-1.2147483647 d\n"},
        {head + u"[4294967295], 1, 2, 3, {\"d\"}", "device 0xffffffff 1.2.3/-1.-1.-1 d\n"},
        {head + u"@\"a.sis\",(0xFFFFFFFF)", "sis a.sis uid=0xffffffff always\n"},
    };
    for (const auto& c : fits) {
        const std::string description = Describe(*Parse(c.text));
        EXPECT_NE(description.find(c.fragment), std::string::npos) << test::Text(c.text) << "\n"
                                                                   << description;
    }
}

TEST(PackageReaderTest, Items) {
    const struct {
        std::u16string lines;
        const char* items;
    } cases[] = {
        {u"\"a\"-\"!:\\sys\\a\"\n\"b\" - \"c:\\b\" , FILERUN, RR\n\"c\" - \"c\", FR, RB, "
         u"RUNWAITEND",
         "file a -> !:\\sys\\a FF/RI/wait\nfile b -> c:\\b FR/RR/nowait\n"
         "file c -> !:\\c FR/RB/wait\n"},
        {u"\"d\" - \"\", FM, \"x/y\"\n\"e\" - \"\", FM, \"x/y\", RI, RW\n\"f\" - \"\\f\", FF",
         "file d -> !: FM/RI/nowait x/y\nfile e -> !: FM/RI/wait x/y\nfile f -> !:\\f "
         "FF/RI/wait\n"},
        {u"\"null\" - \"!:\\x\", FN\n\"t\\readme.v2.txt\" - \"\", FT, TE\n\"d.txt\"-\"\",FT",
         "file null -> !:\\x FN/RI/wait\ndialog t\\readme.v2.txt name=readme.v2 text=2\n"
         "dialog d.txt name=d text=0\n"},
        {u"{\"t\\eula_English.txt\"\n\"eula_French.txt\"}-\"\", FT, TA\n"
         u"{\"eula_english.txt\" \"x\"}-\"\", FILETEXT\n{\"a\" \"b\"}-\"e:\\a\", FR, RI, RW",
         "langdialog t\\eula_English.txt|eula_French.txt name=eula text=1\n"
         "langdialog eula_english.txt|x name=eula_english text=0\nlangfile a|b -> e:\\a "
         "FR/RI/wait\n"},
        {u"IF NOT package(0x2) @\"a.sis\",(0x2) ENDIF\n@\"b.sis\",(0x3)\n",
         "sis a.sis uid=0x2 if-missing\nsis b.sis uid=0x3 always\n"},
        {u"if not PACKAGE(4) { @\"e.sis\" @\"f.sis\" },(0x4) ENDIF {@\"e\"@\"f\"},(5)",
         "langsis e.sis|f.sis uid=0x4 if-missing\nlangsis e|f uid=0x5 always\n"},
        // After an inner ENDIF items go back to the outer option, whose list counts again.
        {u"!({\"a\",\"a\"},{\"b\",\"b\"}) IF option1 !({\"c\",\"c\"}) IF option1 \"1\"-\"\" ENDIF "
         u"\"2\"-\"\" ENDIF IF option2 \"3\"-\"\" ENDIF IF option1 \"4\"-\"\" ENDIF",
         "options\n  option a|a\n    options\n      option c|c\n        file 1 -> !: FF/RI/wait\n"
         "    file 2 -> !: FF/RI/wait\n    file 4 -> !: FF/RI/wait\n  option b|b\n"
         "    file 3 -> !: FF/RI/wait\n"},
        // Inside an option's block no list precedes: IF option1 there is a condition.
        {u"!({\"a\",\"a\"}) IF option1 \"1\"-\"\" IF option1 \"2\"-\"\" ENDIF \"3\"-\"\" ENDIF !()",
         "options\n  option a|a\n    file 1 -> !: FF/RI/wait\n    if option1\n"
         "      file 2 -> !: FF/RI/wait\n    file 3 -> !: FF/RI/wait\noptions\n"},
    };
    for (const auto& c : cases) {
        auto p = Parse(kHead + c.lines);
        EXPECT_EQ(DescribeItems(*p), c.items) << test::Text(c.lines);
    }
}

// IF optionN right after its list (or the list's other option blocks) fills option N, any
// option of any list; elsewhere, or for an option the list lacks, it is a condition block.
TEST(PackageReaderTest, OptionBlocks) {
    const std::u16string two = kTwoOptions + u"!({\"c\",\"c\"})\n";
    const std::u16string many = kHead + u"!(" + Repeat(u"{\"o\",\"o\"},", 39) + u"{\"o\",\"o\"})\n";
    const struct {
        std::u16string text;
        std::string items; // the last lines of the description
    } cases[] = {
        {two + u"IF option2 \"f\"-\"x\" ENDIF", "if option2\n  file f -> !:\\x FF/RI/wait\n"},
        {two + u"IF OPTION1 \"f\"-\"x\" ENDIF", "  option c|c\n    file f -> !:\\x FF/RI/wait\n"},
        {kTwoOptions + u"\"g\"-\"y\"\nIF option1 \"f\"-\"x\" ENDIF",
         "file g -> !:\\y FF/RI/wait\nif option1\n  file f -> !:\\x FF/RI/wait\n"},
        {kTwoOptions + u"IF option1 \"f\"-\"x\" ELSE \"g\"-\"y\" ENDIF",
         "if option1\n  file f -> !:\\x FF/RI/wait\nelse\n  file g -> !:\\y FF/RI/wait\n"},
        {many + u"IF option40 \"f\"-\"x\" ENDIF", "  option o|o\n    file f -> !:\\x FF/RI/wait\n"},
    };
    for (const auto& c : cases) {
        const std::string items = DescribeItems(*Parse(c.text));
        EXPECT_EQ(items.substr(items.size() - std::min(items.size(), c.items.size())), c.items)
            << test::Text(c.text) << "\n"
            << items;
    }
}

TEST(PackageReaderTest, NestingIsBounded) {
    auto nested = [](int depth) {
        return kHead + Repeat(u"!({\"o\",\"o\"})\nIF option1\n", depth) + u"\"f\"-\"x\"\n" +
               Repeat(u"ENDIF\n", depth);
    };
    EXPECT_EQ(ParseCode(nested(64)), 0);
    EXPECT_EQ(ParseCode(nested(65)), EUnexpectedToken);
    std::unique_ptr<Package> package;
    EXPECT_EQ(ParsePackageText(nested(10000), package), err::kCorruptPackage);
}

// Tokens as "<kind>:<text>" (kinds 0 number, 1 identifier, 2 string, 4 symbol; LF as \n).
std::string Lex(std::u16string_view text) {
    std::vector<PackageToken> tokens;
    EXPECT_TRUE(PackageLexer(text).tokenize(tokens));
    std::string out;
    for (const PackageToken& token : tokens)
        out += (out.empty() ? "" : " ") + std::to_string(token.kind) + ":" +
               (token.isLineFeed() ? "\\n" : wideToUtf8(token.text));
    return out;
}

// Numbers, strings, symbols and line ends are read through the reader's tests.
TEST(PackageLexerTest, Tokens) {
    const struct {
        std::u16string_view text;
        const char* tokens;
    } cases[] = {
        {u"- -a", "4:- 0:-a"},
        {u"\"\"\"a\r\nb\"", "2: 2:a\r\nb"},
        {u"\"open", "2:open"},
        {u"a_b9", "1:a 4:_ 1:b 0:9"},
        {u"; plain comment, \"x\"\r\n&", "4:\\n 4:&"},
        {u";", ""},
        {u"; output_name \"A.sis\" ; x\n", "1:output_name 2:A.sis 4:\\n"},
        {u"\t;\tsign_package\r\n", "1:sign_package 4:\\n"},
        {u";sign_package2", "1:sign_package 0:2"},
        {u"; Sign_package\n", "4:\\n"},
        {u"; sign_packages\n", "4:\\n"},
        {u";;output_name\n", "4:\\n"},
        {u"\"a\";passphrase", "2:a 1:passphrase"},
        {u"\u00e9\u00a0", "4:\u00e9 4:\u00a0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Lex(c.text), c.tokens) << wideToUtf8(c.text);
}

} // namespace
} // namespace tb
