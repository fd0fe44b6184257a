#pragma once

#include "util/wide_text.h"

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <type_traits>

namespace tb {

// One argument of format(): any integer type (char16_t included, for %c) or UTF-16 text.
// Text arguments are views, so they must outlive the format() call (temporaries do).
class FormatArg {
public:
    enum class Kind { Signed, Unsigned, Text };

    template <std::signed_integral T> FormatArg(T value) : kind_(Kind::Signed), signed_(value) {}
    template <std::unsigned_integral T>
    requires(!std::same_as<std::remove_cv_t<T>, bool>) FormatArg(T value)
        : kind_(Kind::Unsigned), unsigned_(value) {}
    FormatArg(std::u16string_view text) : kind_(Kind::Text), text_(text) {}
    FormatArg(const WideText& text) : kind_(Kind::Text), text_(text) {}
    FormatArg(const char16_t* text) : kind_(Kind::Text), text_(text ? text : u"") {}

    Kind kind() const { return kind_; }
    int64_t asSigned() const { return signed_; }
    uint64_t asUnsigned() const { return unsigned_; }
    std::u16string_view asText() const { return text_; }

private:
    Kind kind_;
    int64_t signed_ = 0;
    uint64_t unsigned_ = 0;
    std::u16string_view text_;
};

// printf-style: %d %i %u %x %X %s %c %% with the flags '-' and '0', a width and a precision
// (minimum digits, or maximum characters for %s); length modifiers (l, ll, h, z...) are
// accepted and ignored. The result holds at most maxLength characters (messages are at most
// 255).
WideText format(std::u16string_view pattern, std::initializer_list<FormatArg> args,
                size_t maxLength = 255);

} // namespace tb
