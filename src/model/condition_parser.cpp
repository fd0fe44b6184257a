#include "model/condition_parser.h"

#include "util/numbers.h"
#include "util/text_convert.h"

#include <algorithm>
#include <array>

namespace tb {

namespace {

using Kind = ConditionNode::Kind;

// LANGUAGE and the device attributes makesis knows, compared ignoring case.
constexpr std::array<std::u16string_view, 50> kVariables = {
    u"LANGUAGE",
    u"Manufacturer",
    u"ManufacturerHardwareRev",
    u"ManufacturerSoftwareRev",
    u"ManufacturerSoftwareBuild",
    u"Model",
    u"MachineUid",
    u"DeviceFamily",
    u"DeviceFamilyRev",
    u"CPU",
    u"CPUArch",
    u"CPUABI",
    u"CPUSpeed",
    u"SystemTickPeriod",
    u"MemoryRAM",
    u"MemoryRAMFree",
    u"MemoryROM",
    u"MemoryPageSize",
    u"PowerBackup",
    u"Keyboard",
    u"KeyboardDeviceKeys",
    u"KeyboardAppKeys",
    u"KeyboardClick",
    u"KeyboardClickVolumeMax",
    u"DisplayXPixels",
    u"DisplayYPixels",
    u"DisplayXTwips",
    u"DisplayYTwips",
    u"DisplayColors",
    u"DisplayContrastMax",
    u"Backlight",
    u"Pen",
    u"PenX",
    u"PenY",
    u"PenDisplayOn",
    u"PenClick",
    u"PenClickVolumeMax",
    u"Mouse",
    u"MouseX",
    u"MouseY",
    u"MouseButtons",
    u"CaseSwitch",
    u"LEDs",
    u"IntegratedPhone",
    u"DisplayBrightness",
    u"DisplayBrightnessMax",
    u"KeyboardBacklightState",
    u"AccessoryPower",
    u"NumHalAttributes",
    u"RemoteInstall",
};

bool isVariable(std::u16string_view word) {
    return std::any_of(kVariables.begin(), kVariables.end(), [&](std::u16string_view known) {
        return equalsIgnoreAsciiCase(known, word);
    });
}

// A number of 32 bits: hexadecimal after 0x up to 0xFFFFFFFF, or decimal from -2^31 to 2^32-1.
bool parseConditionNumber(std::u16string_view text, int64_t& value, bool& hex) {
    hex = text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X');
    if (hex) {
        uint32_t unsignedValue = 0;
        if (!parseUnsigned(text.substr(2), 16, unsignedValue))
            return false;
        value = unsignedValue;
        return true;
    }
    uint32_t magnitude = 0;
    if (!text.empty() && text[0] == u'-') {
        int32_t signedValue = 0;
        if (!parseSigned(text, 10, signedValue))
            return false;
        value = signedValue;
        return true;
    }
    if (!text.empty() && text[0] == u'+')
        text.remove_prefix(1);
    if (!parseUnsigned(text, 10, magnitude))
        return false;
    value = magnitude;
    return true;
}

// Tokens of a text typed by the user.
class LexerCursor : public TokenCursor {
public:
    explicit LexerCursor(std::u16string_view text) : lexer_(text) { next(); }
    const PackageToken* token() const override { return has_ ? &token_ : nullptr; }
    void next() override {
        do
            has_ = lexer_.next(token_);
        while (has_ && token_.isLineFeed());
    }

private:
    PackageLexer lexer_;
    PackageToken token_;
    bool has_ = false;
};

} // namespace

Condition ConditionParser::parse() {
    depth_ = 0;
    return orExpression();
}

Condition ConditionParser::orExpression() {
    Condition left = andExpression();
    while (isWord(u"OR")) {
        cursor_.next();
        auto node = std::make_unique<ConditionNode>(Kind::Or);
        node->operands.push_back(std::move(left));
        node->operands.push_back(andExpression());
        left = std::move(node);
    }
    return left;
}

Condition ConditionParser::andExpression() {
    Condition left = notExpression();
    while (isWord(u"AND")) {
        cursor_.next();
        auto node = std::make_unique<ConditionNode>(Kind::And);
        node->operands.push_back(std::move(left));
        node->operands.push_back(notExpression());
        left = std::move(node);
    }
    return left;
}

Condition ConditionParser::notExpression() {
    if (!isWord(u"NOT"))
        return relation();
    if (++depth_ > kMaxDepth)
        fail(u"the condition is nested too deeply");
    cursor_.next();
    auto node = std::make_unique<ConditionNode>(Kind::Not);
    node->operands.push_back(notExpression());
    --depth_;
    return node;
}

Condition ConditionParser::relation() {
    Condition left = primary();
    const PackageToken* token = cursor_.token();
    if (!token)
        return left;
    Kind kind;
    if (token->isSymbol(u'=')) {
        kind = Kind::Equal;
        cursor_.next();
    } else if (token->isSymbol(u'<') || token->isSymbol(u'>')) {
        const bool less = token->isSymbol(u'<');
        cursor_.next();
        const PackageToken* second = cursor_.token();
        if (second && second->isSymbol(u'=')) {
            kind = less ? Kind::LessOrEqual : Kind::GreaterOrEqual;
            cursor_.next();
        } else if (less && second && second->isSymbol(u'>')) {
            kind = Kind::NotEqual;
            cursor_.next();
        } else {
            kind = less ? Kind::Less : Kind::Greater;
        }
    } else {
        return left;
    }
    auto node = std::make_unique<ConditionNode>(kind);
    node->operands.push_back(std::move(left));
    node->operands.push_back(primary());
    return node;
}

Condition ConditionParser::primary() {
    const PackageToken* token = cursor_.token();
    if (!token)
        fail(u"the condition ends too early");
    switch (token->kind) {
    case PackageToken::Number:
        return number();
    case PackageToken::String: {
        auto node = std::make_unique<ConditionNode>(Kind::String);
        node->text = WideText(token->text);
        cursor_.next();
        return node;
    }
    case PackageToken::Identifier:
        break;
    default:
        if (!token->isSymbol(u'('))
            fail(describeCurrent() + u" cannot start a condition");
        if (++depth_ > kMaxDepth)
            fail(u"the condition is nested too deeply");
        cursor_.next();
        {
            Condition inner = orExpression();
            expect(u')');
            --depth_;
            return inner;
        }
    }
    const WideText word(token->text);
    if (equalsIgnoreAsciiCase(word, u"package"))
        return call(Kind::Package);
    if (equalsIgnoreAsciiCase(word, u"exists"))
        return call(Kind::Exists);
    if (equalsIgnoreAsciiCase(word, u"appprop"))
        return call(Kind::AppProp);
    if (equalsIgnoreAsciiCase(word, u"option")) {
        cursor_.next();
        const PackageToken* n = cursor_.token();
        if (!n || n->kind != PackageToken::Number)
            fail(u"a number is expected after 'option'");
        Condition node = number();
        if (node->hex || node->number < 1)
            fail(u"'option' takes the number of an option, from 1");
        node->kind = Kind::Option;
        return node;
    }
    if (!isVariable(word))
        fail(u"'" + word + u"' is not known in a condition");
    auto node = std::make_unique<ConditionNode>(Kind::Variable);
    node->text = word;
    cursor_.next();
    return node;
}

// package(uid), exists("file"), appprop(uid, key)
Condition ConditionParser::call(Kind kind) {
    cursor_.next();
    expect(u'(');
    auto node = std::make_unique<ConditionNode>(kind);
    if (kind == Kind::Exists) {
        const PackageToken* token = cursor_.token();
        if (!token || token->kind != PackageToken::String)
            fail(u"a file name in double quotes is expected after 'exists('");
        node->text = WideText(token->text);
        cursor_.next();
    } else {
        node->operands.push_back(number());
        if (kind == Kind::AppProp) {
            expect(u',');
            node->operands.push_back(number());
        }
    }
    expect(u')');
    return node;
}

Condition ConditionParser::number() {
    const PackageToken* token = cursor_.token();
    if (!token || token->kind != PackageToken::Number)
        fail(u"a number is expected instead of " + describeCurrent());
    auto node = std::make_unique<ConditionNode>(Kind::Number);
    if (!parseConditionNumber(token->text, node->number, node->hex))
        fail(u"'" + WideText(token->text) + u"' is not a number of 32 bits");
    cursor_.next();
    return node;
}

bool ConditionParser::isWord(std::u16string_view word) const {
    const PackageToken* token = cursor_.token();
    return token && token->kind == PackageToken::Identifier &&
           equalsIgnoreAsciiCase(token->text, word);
}

void ConditionParser::expect(char16_t symbol) {
    const PackageToken* token = cursor_.token();
    if (!token || !token->isSymbol(symbol))
        fail(u"'" + WideText(1, symbol) + u"' is expected instead of " + describeCurrent());
    cursor_.next();
}

void ConditionParser::fail(const WideText& message) const {
    throw ConditionError{message};
}

WideText ConditionParser::describeCurrent() const {
    const PackageToken* token = cursor_.token();
    if (!token)
        return u"the end";
    if (token->kind == PackageToken::String)
        return u"\"" + WideText(token->text) + u"\"";
    return u"'" + WideText(token->text) + u"'";
}

bool ParseConditionText(std::u16string_view text, Condition& condition, WideText& message) {
    condition.reset();
    LexerCursor cursor(text);
    try {
        ConditionParser parser(cursor);
        Condition parsed = parser.parse();
        if (cursor.token()) {
            message = u"the condition is complete before '" + WideText(cursor.token()->text) + u"'";
            return false;
        }
        condition = std::move(parsed);
        return true;
    } catch (const ConditionError& error) {
        message = error.message;
        return false;
    }
}

} // namespace tb
