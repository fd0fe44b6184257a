#pragma once

#include "model/item_sequence.h"

#include <cctype>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace tb::test {

// Installation sequences written short: a bare name is a file item (the name is its source),
// L{...} an option list of options o(...), B<...> a condition block of branches b[...]; items
// are separated by blanks, e.g. "a L{o1(c d) o2()} e". A branch has the condition
// exists("name"), but one whose name starts with "else" has none. Names other than files' are
// kept here.
class SequenceText {
public:
    void build(ItemSequence& sequence, std::string_view text) {
        size_t at = 0;
        parse(sequence, nullptr, text, at);
    }

    // One item with its subtree, out of any sequence.
    std::unique_ptr<InstallItem> make(std::string_view text) {
        ItemSequence scratch;
        build(scratch, text);
        return Unlink(scratch, scratch.first);
    }

    std::string print(const ItemSequence& sequence) const { return printList(sequence.first); }

    std::string name(const InstallItem* item) const {
        if (const auto* file = itemAs<InstallFileItem>(item))
            return std::string(file->source.begin(), file->source.end());
        auto found = names_.find(item);
        return found == names_.end() ? "?" : found->second;
    }

    InstallItem* operator[](const std::string& name) const { return items_.at(name); }

private:
    static constexpr std::string_view kOpen = "({<[", kClose = ")}>]";

    void parse(ItemSequence& sequence, InstallItem* parent, std::string_view text, size_t& at) {
        while (at < text.size()) {
            if (text[at] == ' ') {
                ++at;
                continue;
            }
            if (kClose.find(text[at]) != std::string_view::npos)
                return;
            size_t end = at;
            while (end < text.size() && std::isalnum(static_cast<unsigned char>(text[end])))
                ++end;
            const std::string name(text.substr(at, end - at));
            at = end;
            const size_t bracket = at < text.size() ? kOpen.find(text[at]) : std::string::npos;
            InstallItem* item = AppendChild(sequence, create(name, bracket), parent);
            items_[name] = item;
            if (bracket == std::string::npos)
                continue;
            names_[item] = name;
            parse(sequence, item, text, ++at);
            ++at; // the closing bracket
        }
    }

    // The kinds written with brackets, in the order of kOpen.
    static constexpr InstallItemKind kBracketed[] = {
        InstallItemKind::Option, InstallItemKind::ShowOptionList, InstallItemKind::ConditionBlock,
        InstallItemKind::ConditionBranch};

    static std::unique_ptr<InstallItem> create(const std::string& name, size_t bracket) {
        const WideText wide(name.begin(), name.end());
        if (bracket == std::string::npos)
            return std::make_unique<InstallFileItem>(wide);
        if (kBracketed[bracket] != InstallItemKind::ConditionBranch || name.starts_with("else"))
            return CreateItem(kBracketed[bracket], 1);
        auto condition = std::make_unique<ConditionNode>(ConditionNode::Kind::Exists);
        condition->text = wide;
        return std::make_unique<ConditionBranchItem>(std::move(condition));
    }

    std::string printList(const InstallItem* first) const {
        std::string out;
        for (const InstallItem* item = first; item; item = item->next) {
            out += (out.empty() ? "" : " ") + name(item);
            for (size_t b = 0; b < kOpen.size(); ++b)
                if (item->kind == kBracketed[b])
                    out += kOpen[b] + printList(item->firstChild) + kClose[b];
        }
        return out;
    }

    std::map<std::string, InstallItem*> items_;
    std::map<const InstallItem*, std::string> names_;
};

} // namespace tb::test
