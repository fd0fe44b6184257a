#pragma once

#include "util/wide_text.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace tb {

struct PackageToken {
    enum Kind : int32_t { Number = 0, Identifier = 1, String = 2, Symbol = 4 };

    Kind kind = Symbol;
    // Into the lexer's text, which has to outlive the tokens. A symbol is one character; the
    // line feed is a symbol too.
    std::u16string_view text;

    bool isSymbol(char16_t c) const { return kind == Symbol && text.size() == 1 && text[0] == c; }
    bool isLineFeed() const { return isSymbol(u'\n'); }
};

// Splits package file text into tokens in one pass. Comments vanish except for their line feed
// and, when a comment starts with a build-settings key, the key itself (its value follows as
// ordinary tokens). The tokens point into the text.
class PackageLexer {
public:
    explicit PackageLexer(std::u16string_view text) : text_(text) {}

    // The next token; false at the end of the text. Needs no memory of its own.
    bool next(PackageToken& token);
    // Replaces tokens with the rest of the text's tokens. False only when memory runs out.
    bool tokenize(std::vector<PackageToken>& tokens);

private:
    char16_t peek(size_t ahead = 0) const;
    bool atEnd() const { return position_ >= text_.size(); }

    void readToken();
    void readComment();
    void readString();
    void readIdentifier();
    void readNumber();
    void skipToLineEnd();
    void emitToken(PackageToken::Kind kind, size_t start, size_t end);

    std::u16string_view text_;
    size_t position_ = 0;
    PackageToken* token_ = nullptr; // where the token being read goes; null once it is there
};

} // namespace tb
