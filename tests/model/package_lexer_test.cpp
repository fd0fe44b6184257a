#include "model/package_lexer.h"
#include "util/text_convert.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

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

TEST(PackageLexerTest, Tokens) {
    const struct {
        std::u16string_view text;
        const char* tokens;
    } cases[] = {
        {u"option1", "1:option 0:1"},
        {u"(0x10000abc),-1,+2", "4:( 0:0x10000abc 4:) 4:, 0:-1 4:, 0:+2"},
        {u"0XA000017F", "0:0XA000017F"},
        {u"-\"!:\\sys\\bin\\x.exe\"", "4:- 2:!:\\sys\\bin\\x.exe"},
        {u"- -a", "4:- 0:-a"},
        {u"\"\"\"a\r\nb\"", "2: 2:a\r\nb"},
        {u"\"open", "2:open"},
        {u"\t TYPE=SA\r\n", "1:TYPE 4:= 1:SA 4:\\n"},
        {u"*~", "4:* 4:~"},
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
