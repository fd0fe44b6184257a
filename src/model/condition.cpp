#include "model/condition.h"

namespace tb {

namespace {

using Kind = ConditionNode::Kind;

bool isCall(Kind kind) {
    return kind == Kind::Package || kind == Kind::Exists || kind == Kind::AppProp;
}

bool isComparison(Kind kind) {
    return kind >= Kind::Equal;
}

bool isPrimary(Kind kind) {
    return kind <= Kind::Option;
}

std::u16string_view operatorText(Kind kind) {
    switch (kind) {
    case Kind::And:
        return u" AND ";
    case Kind::Or:
        return u" OR ";
    case Kind::Equal:
        return u" = ";
    case Kind::NotEqual:
        return u" <> ";
    case Kind::Less:
        return u" < ";
    case Kind::Greater:
        return u" > ";
    case Kind::LessOrEqual:
        return u" <= ";
    case Kind::GreaterOrEqual:
        return u" >= ";
    default:
        return u" ";
    }
}

void putNumber(WideText& out, const ConditionNode& node) {
    if (node.hex) {
        uint64_t value = uint64_t(node.number) & 0xFFFFFFFFu;
        char16_t digits[8];
        size_t count = 0;
        do {
            digits[count++] = u"0123456789abcdef"[value & 0xF];
            value >>= 4;
        } while (value != 0);
        out += u"0x";
        while (count > 0)
            out += digits[--count];
        return;
    }
    const std::string decimal = std::to_string(node.number);
    out.append(decimal.begin(), decimal.end());
}

void put(WideText& out, const ConditionNode& node);

// An operand that must stand alone: in parentheses unless it is one already.
void putWrapped(WideText& out, const ConditionNode& node, bool wrap) {
    if (wrap)
        out += u'(';
    put(out, node);
    if (wrap)
        out += u')';
}

const ConditionNode& operand(const ConditionNode& node, size_t i) {
    static const ConditionNode kMissing(Kind::Number);
    return i < node.operands.size() && node.operands[i] ? *node.operands[i] : kMissing;
}

void put(WideText& out, const ConditionNode& node) {
    switch (node.kind) {
    case Kind::Number:
        putNumber(out, node);
        return;
    case Kind::String:
        out += u'"' + node.text + u'"';
        return;
    case Kind::Variable:
        out += node.text;
        return;
    case Kind::Package:
        out += u"package(";
        put(out, operand(node, 0));
        out += u')';
        return;
    case Kind::Exists:
        out += u"exists(\"" + node.text + u"\")";
        return;
    case Kind::AppProp:
        out += u"appprop(";
        put(out, operand(node, 0));
        out += u", ";
        put(out, operand(node, 1));
        out += u')';
        return;
    case Kind::Option:
        out += u"option";
        putNumber(out, node);
        return;
    case Kind::Not: {
        out += u"NOT ";
        const ConditionNode& inner = operand(node, 0);
        putWrapped(out, inner, !isCall(inner.kind));
        return;
    }
    case Kind::And:
    case Kind::Or: {
        // Left-nested chains need no parentheses; anything else that could be read another
        // way gets them.
        const ConditionNode& left = operand(node, 0);
        const ConditionNode& right = operand(node, 1);
        auto needsParentheses = [&](const ConditionNode& side, bool isLeft) {
            if (isComparison(side.kind))
                return true;
            if (side.kind == Kind::Or)
                return node.kind == Kind::And || !isLeft;
            if (side.kind == Kind::And)
                return node.kind == Kind::And && !isLeft;
            return false;
        };
        putWrapped(out, left, needsParentheses(left, true));
        out += operatorText(node.kind);
        putWrapped(out, right, needsParentheses(right, false));
        return;
    }
    default: // comparisons
        putWrapped(out, operand(node, 0), !isPrimary(operand(node, 0).kind));
        out += operatorText(node.kind);
        putWrapped(out, operand(node, 1), !isPrimary(operand(node, 1).kind));
        return;
    }
}

} // namespace

WideText ConditionText(const ConditionNode& condition) {
    WideText out;
    put(out, condition);
    return out;
}

Condition CloneCondition(const ConditionNode& condition) {
    auto copy = std::make_unique<ConditionNode>(condition.kind);
    copy->number = condition.number;
    copy->hex = condition.hex;
    copy->text = condition.text;
    for (const Condition& child : condition.operands)
        copy->operands.push_back(child ? CloneCondition(*child) : nullptr);
    return copy;
}

bool EqualConditions(const ConditionNode& a, const ConditionNode& b) {
    if (a.kind != b.kind || a.number != b.number || a.hex != b.hex || a.text != b.text ||
        a.operands.size() != b.operands.size())
        return false;
    for (size_t i = 0; i < a.operands.size(); ++i) {
        const ConditionNode* x = a.operands[i].get();
        const ConditionNode* y = b.operands[i].get();
        if (!x || !y ? x != y : !EqualConditions(*x, *y))
            return false;
    }
    return true;
}

int64_t OptionNumberOf(const ConditionNode& condition) {
    return condition.kind == Kind::Option ? condition.number : 0;
}

bool GuardedPackageUid(const ConditionNode& condition, uint32_t& uid) {
    if (condition.kind != Kind::Not || condition.operands.size() != 1 || !condition.operands[0])
        return false;
    const ConditionNode& call = *condition.operands[0];
    if (call.kind != Kind::Package || call.operands.size() != 1 || !call.operands[0] ||
        call.operands[0]->kind != Kind::Number)
        return false;
    uid = uint32_t(call.operands[0]->number);
    return true;
}

} // namespace tb
