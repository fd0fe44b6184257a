#pragma once

#include "util/wide_text.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tb {

// One node of the condition of an IF or ELSEIF line, as makesis reads it:
//   package(uid)  exists("file")  appprop(uid, key)  option N  LANGUAGE and the device
//   attributes  numbers  "strings"  NOT x  x AND y  x OR y  x = y  x <> y  x < y  x > y
//   x <= y  x >= y
// It is kept as read and written back in one normal form (ConditionText).
struct ConditionNode {
    enum class Kind : int32_t {
        Number,   // number; written in hexadecimal when hex
        String,   // text
        Variable, // text: LANGUAGE or a device attribute, as named in the file
        Package,  // package(operands[0])
        Exists,   // exists("text")
        AppProp,  // appprop(operands[0], operands[1])
        Option,   // option number
        Not,      // NOT operands[0]
        And,      // operands[0] AND operands[1]
        Or,
        Equal, // operands[0] = operands[1]
        NotEqual,
        Less,
        Greater,
        LessOrEqual,
        GreaterOrEqual,
    };

    explicit ConditionNode(Kind k) : kind(k) {}

    Kind kind;
    int64_t number = 0; // fits 32 bits: -2^31 to 2^32 - 1
    bool hex = false;
    WideText text;
    std::vector<std::unique_ptr<ConditionNode>> operands;
};

using Condition = std::unique_ptr<ConditionNode>;

// The normal form: single spaces around operators, "NOT (x)" unless x is a call, parentheses
// where the tree needs them and around comparisons inside AND, OR and NOT, UIDs and other
// hexadecimal numbers as "0x" and lower-case digits, option N as "optionN".
WideText ConditionText(const ConditionNode& condition);

Condition CloneCondition(const ConditionNode& condition);
bool EqualConditions(const ConditionNode& a, const ConditionNode& b);

// The N of a condition that is only "option N"; 0 otherwise.
int64_t OptionNumberOf(const ConditionNode& condition);
// The UID of a condition that is only "NOT package(uid)"; false otherwise.
bool GuardedPackageUid(const ConditionNode& condition, uint32_t& uid);

} // namespace tb
