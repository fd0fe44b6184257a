#pragma once

#include "editing/folder_display_tree.h"
#include "editing/user_folder_tree.h"
#include "util/text_convert.h"

#include <string>

namespace tb::test {

// A folder tree in one line: "name{child,child{grandchild}},sibling".
template <class Node, class Name, class Children>
std::string FolderText(const Node& nodes, Name name, Children children) {
    std::string text;
    for (const auto& node : nodes) {
        text += (text.empty() ? "" : ",") + wideToUtf8(name(node));
        if (!children(node).empty())
            text += "{" + FolderText(children(node), name, children) + "}";
    }
    return text;
}

inline std::string FolderText(const UserFolder& folder) {
    return FolderText(
        folder.children(), [](const auto& f) { return f->name(); },
        [](const auto& f) -> const auto& { return f->children(); });
}

inline std::string FolderText(const std::vector<FolderNode>& roots) {
    return FolderText(
        roots, [](const FolderNode& n) { return n.name; },
        [](const FolderNode& n) -> const auto& { return n.children; });
}

} // namespace tb::test
