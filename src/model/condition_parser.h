#pragma once

#include "model/condition.h"
#include "model/package_lexer.h"

#include <string_view>

namespace tb {

// Where the condition parser takes its tokens from: the package parser's own cursor, or a
// lexer over a condition typed by the user.
class TokenCursor {
public:
    virtual ~TokenCursor() = default;
    // The current token; null at the end.
    virtual const PackageToken* token() const = 0;
    // On to the next token, past line feeds.
    virtual void next() = 0;
};

// Thrown by ConditionParser with what is wrong, in the user's terms.
struct ConditionError {
    WideText message;
};

// Reads one condition from the cursor, stopping at the first token that cannot continue it.
// Throws ConditionError; running out of memory throws std::bad_alloc.
class ConditionParser {
public:
    static constexpr int kMaxDepth = 64; // nested parentheses and NOTs

    explicit ConditionParser(TokenCursor& cursor) : cursor_(cursor) {}
    Condition parse();

private:
    Condition orExpression();
    Condition andExpression();
    Condition notExpression();
    Condition relation();
    Condition primary();
    Condition call(ConditionNode::Kind kind);
    Condition number();
    bool isWord(std::u16string_view word) const;
    void expect(char16_t symbol);
    [[noreturn]] void fail(const WideText& message) const;
    WideText describeCurrent() const;

    TokenCursor& cursor_;
    int depth_ = 0;
};

// A whole condition as the user typed it (the text after IF). False with message set when it
// is not one.
bool ParseConditionText(std::u16string_view text, Condition& condition, WideText& message);

} // namespace tb
