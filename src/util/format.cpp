#include "util/format.h"

#include <algorithm>

namespace tb {

namespace {

struct Flags {
    bool leftAlign = false;
    bool zeroPad = false;
    size_t width = 0;
    bool hasPrecision = false;
    size_t precision = 0;
};

WideText digits(uint64_t value, unsigned radix, bool upper) {
    const char16_t* table = upper ? u"0123456789ABCDEF" : u"0123456789abcdef";
    char16_t buffer[32];
    size_t length = 0;
    do {
        buffer[length++] = table[value % radix];
        value /= radix;
    } while (value != 0);
    std::reverse(buffer, buffer + length);
    return WideText(buffer, length);
}

// %u and %x show a negative int the way printf does: as its 32-bit two's complement.
uint64_t asUnsignedBits(const FormatArg& arg) {
    if (arg.kind() != FormatArg::Kind::Signed)
        return arg.asUnsigned();
    int64_t v = arg.asSigned();
    if (v < 0 && v >= INT32_MIN)
        return static_cast<uint32_t>(static_cast<int32_t>(v));
    return static_cast<uint64_t>(v);
}

void appendPadded(WideText& out, std::u16string_view sign, WideText body, const Flags& flags,
                  bool numeric) {
    if (numeric && flags.hasPrecision && body.size() < flags.precision)
        body.insert(0, flags.precision - body.size(), u'0');
    const size_t length = sign.size() + body.size();
    const size_t pad = flags.width > length ? flags.width - length : 0;
    if (flags.leftAlign) {
        out.append(sign).append(body).append(pad, u' ');
    } else if (flags.zeroPad && numeric && !flags.hasPrecision) {
        out.append(sign).append(pad, u'0').append(body);
    } else {
        out.append(pad, u' ').append(sign).append(body);
    }
}

void appendNumber(WideText& out, const FormatArg& arg, char16_t conversion, const Flags& flags) {
    if (conversion == u'd' || conversion == u'i') {
        if (arg.kind() == FormatArg::Kind::Signed && arg.asSigned() < 0) {
            auto magnitude = static_cast<uint64_t>(-(arg.asSigned() + 1)) + 1;
            appendPadded(out, u"-", digits(magnitude, 10, false), flags, true);
        } else {
            appendPadded(out, u"", digits(asUnsignedBits(arg), 10, false), flags, true);
        }
        return;
    }
    const unsigned radix = conversion == u'u' ? 10 : 16;
    appendPadded(out, u"", digits(asUnsignedBits(arg), radix, conversion == u'X'), flags, true);
}

void appendArgument(WideText& out, const FormatArg& arg, char16_t conversion, const Flags& flags) {
    if (conversion == u's') {
        if (arg.kind() != FormatArg::Kind::Text) {
            appendNumber(out, arg, u'd', Flags{});
            return;
        }
        std::u16string_view text = arg.asText();
        if (flags.hasPrecision && text.size() > flags.precision)
            text = text.substr(0, flags.precision);
        appendPadded(out, u"", WideText(text), flags, false);
        return;
    }
    if (arg.kind() == FormatArg::Kind::Text) {
        // A text given for a number conversion: show the text rather than inventing a value.
        appendPadded(out, u"", WideText(arg.asText()), flags, false);
        return;
    }
    if (conversion == u'c') {
        auto code = static_cast<char16_t>(asUnsignedBits(arg));
        appendPadded(out, u"", WideText(1, code), flags, false);
        return;
    }
    appendNumber(out, arg, conversion, flags);
}

size_t readNumber(std::u16string_view pattern, size_t& pos) {
    size_t value = 0;
    while (pos < pattern.size() && pattern[pos] >= u'0' && pattern[pos] <= u'9') {
        value = std::min<size_t>(value * 10 + (pattern[pos] - u'0'), 4096);
        ++pos;
    }
    return value;
}

} // namespace

WideText format(std::u16string_view pattern, std::initializer_list<FormatArg> args,
                size_t maxLength) {
    WideText out;
    const FormatArg* nextArg = args.begin();
    size_t pos = 0;
    while (pos < pattern.size() && out.size() < maxLength + 1) {
        char16_t c = pattern[pos];
        if (c != u'%') {
            out.push_back(c);
            ++pos;
            continue;
        }
        const size_t start = pos++;
        Flags flags;
        for (; pos < pattern.size(); ++pos) {
            if (pattern[pos] == u'-')
                flags.leftAlign = true;
            else if (pattern[pos] == u'0')
                flags.zeroPad = true;
            else
                break;
        }
        flags.width = readNumber(pattern, pos);
        if (pos < pattern.size() && pattern[pos] == u'.') {
            ++pos;
            flags.hasPrecision = true;
            flags.precision = readNumber(pattern, pos);
        }
        while (pos < pattern.size() &&
               std::u16string_view(u"lhzjtLq").find(pattern[pos]) != std::u16string_view::npos)
            ++pos;
        if (pos >= pattern.size()) {
            out.append(pattern.substr(start));
            break;
        }
        const char16_t conversion = pattern[pos++];
        if (conversion == u'%') {
            out.push_back(u'%');
        } else if (std::u16string_view(u"diuxXsc").find(conversion) == std::u16string_view::npos) {
            out.append(pattern.substr(start, pos - start)); // unknown: copied as written
        } else if (nextArg != args.end()) {
            appendArgument(out, *nextArg++, conversion, flags);
        }
    }
    if (out.size() > maxLength) {
        out.resize(maxLength);
        // Never end on half of a surrogate pair.
        if (!out.empty() && out.back() >= 0xD800 && out.back() <= 0xDBFF)
            out.pop_back();
    }
    return out;
}

} // namespace tb
