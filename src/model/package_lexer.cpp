#include "model/package_lexer.h"

#include "model/build_settings_trailer.h"

#include <new>

namespace tb {

namespace {

bool isLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool isHexDigit(char16_t c) {
    return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}
// "0x" may come in either case; the x is part of the number wherever it stands.
bool continuesNumber(char16_t c) {
    return isHexDigit(c) || c == u'x' || c == u'X';
}

// Whitespace that never ends a line.
bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f';
}

} // namespace

bool PackageLexer::next(PackageToken& token) {
    token_ = &token;
    while (token_ && !atEnd())
        readToken();
    const bool found = !token_;
    token_ = nullptr;
    return found;
}

bool PackageLexer::tokenize(std::vector<PackageToken>& tokens) {
    tokens.clear();
    try {
        for (PackageToken token; next(token);)
            tokens.push_back(token);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

char16_t PackageLexer::peek(size_t ahead) const {
    return position_ + ahead < text_.size() ? text_[position_ + ahead] : u'\0';
}

void PackageLexer::readToken() {
    const char16_t c = peek();
    if (isBlank(c)) {
        ++position_;
    } else if (c == u';') {
        readComment();
    } else if (c == u'"') {
        readString();
    } else if (isLetter(c)) {
        readIdentifier();
    } else if (isDigit(c) || ((c == u'+' || c == u'-') && isHexDigit(peek(1)))) {
        readNumber();
    } else {
        emitToken(PackageToken::Symbol, position_, position_ + 1);
        ++position_;
    }
}

// A comment is dropped unless its first word is a build-settings key: then the key becomes an
// identifier and the rest of the line is read as ordinary tokens.
void PackageLexer::readComment() {
    ++position_; // ;
    while (!atEnd() && isBlank(peek()))
        ++position_;
    if (isLetter(peek())) {
        const size_t start = position_;
        while (isLetter(peek()) || peek() == u'_')
            ++position_;
        if (FindTrailerKey(text_.substr(start, position_ - start))) {
            emitToken(PackageToken::Identifier, start, position_);
            return;
        }
    }
    skipToLineEnd();
}

void PackageLexer::skipToLineEnd() {
    while (!atEnd() && peek() != u'\n')
        ++position_;
}

// No escapes: the text runs to the next double quote, across lines, or to the end of the text.
void PackageLexer::readString() {
    const size_t start = ++position_;
    while (!atEnd() && peek() != u'"')
        ++position_;
    emitToken(PackageToken::String, start, position_);
    if (!atEnd())
        ++position_;
}

// Letters only, so "option1" is the word "option" followed by the number 1.
void PackageLexer::readIdentifier() {
    const size_t start = position_;
    while (isLetter(peek()))
        ++position_;
    emitToken(PackageToken::Identifier, start, position_);
}

void PackageLexer::readNumber() {
    const size_t start = position_++;
    while (continuesNumber(peek()))
        ++position_;
    emitToken(PackageToken::Number, start, position_);
}

void PackageLexer::emitToken(PackageToken::Kind kind, size_t start, size_t end) {
    *token_ = PackageToken{kind, text_.substr(start, end - start)};
    token_ = nullptr;
}

} // namespace tb
