#pragma once

#include "editing/sequence_labels.h"
#include "editing/sequence_nodes.h"
#include "model/item_sequence.h"
#include "util/text_convert.h"

#include <string>

namespace tb::test {

// The sequence tree as its labels, one node a line, indented by depth under "Install Start".
inline std::string SequenceTreeText(const ItemSequence& sequence, size_t language) {
    std::string out = wideToUtf8(kInstallStartLabel) + "\n";
    for (const InstallItem* item = sequence.first; item; item = NextInPreOrder(item, nullptr)) {
        if (!HasNode(*item))
            continue;
        std::string indent = "  ";
        for (const InstallItem* up = ParentNodeItem(*item); up; up = ParentNodeItem(*up))
            indent += "  ";
        out += indent + wideToUtf8(SequenceLabel(*item, language)) + "\n";
    }
    return out;
}

} // namespace tb::test
