// Random edits of the installation sequence, made as the Designer makes them, each followed
// by a write and a read of the package: the tree read back is the tree edited.
#include "editing/add_action_rules.h"
#include "editing/new_item_place.h"
#include "editing/sequence_moves.h"
#include "editing/sequence_removal.h"
#include "editing/sequence_tree_text.h"
#include "model/package_compare.h"
#include "model/package_reader.h"
#include "model/package_writer.h"

#include <gtest/gtest.h>

#include <random>

namespace tb {
namespace {

class RandomEditor {
public:
    explicit RandomEditor(unsigned seed) : random_(seed), package_(CreatePackage({1, 2})) {
        package_->uid = 0x10000001;
        package_->names = {u"Demo", u"Demo FR"};
        package_->vendors = {u"Vendor", u"Vendeur"};
        package_->globalVendor = u"Vendor";
    }

    Package& package() { return *package_; }

    // One edit on a node picked at random; a description of it for the failure message.
    std::string step() {
        const std::vector<InstallItem*> nodes = test::SequenceNodes(package_->items);
        InstallItem* selected = nodes[pick(nodes.size())];
        const std::string where = selected ? wideToUtf8(SequenceLabel(*selected, 0)) : "root";
        // Adds outweigh removals, so the tree grows and nests.
        const size_t roll = pick(20);
        if (roll < 10)
            return add(selected) + " at " + where;
        if (roll < 17) {
            const bool up = pick(2) == 0;
            InstallItem* moved = selected ? &ItemOfNode(*selected) : nullptr;
            std::optional<ItemPlace> place;
            if (moved)
                place = up ? MoveUpPlace(*moved) : MoveDownPlace(*moved);
            if (place) {
                EXPECT_TRUE(PlaceItem(package_->items, moved, *place));
            }
            return std::string(up ? "up " : "down ") + where + (place ? "" : " (stays)");
        }
        if (RemovalConfirmationFor(selected) == RemovalConfirmation::NotRemovable)
            return "keep " + where;
        RemoveItem(package_->items, &ItemOfNode(*selected));
        return "remove " + where;
    }

private:
    size_t pick(size_t count) {
        return std::uniform_int_distribution<size_t>(0, count - 1)(random_);
    }

    WideText numbered(const char16_t* prefix, const char16_t* suffix) {
        return prefix + utf8ToWide(std::to_string(++counter_)) + suffix;
    }

    Condition condition() {
        auto exists = std::make_unique<ConditionNode>(ConditionNode::Kind::Exists);
        exists->text = numbered(u"c:\\flag", u".txt");
        return exists;
    }

    std::unique_ptr<InstallItem> file(FileType type) {
        auto made = std::make_unique<InstallFileItem>(
            type == FileType::FN ? WideText() : numbered(u".\\files\\f", u".txt"));
        // A file launched in a viewer has no target in the package file.
        if (type != FileType::FM)
            made->target = numbered(u"\\private\\10000001\\t", u".dat");
        made->fileType = type;
        return made;
    }

    std::unique_ptr<InstallItem> option(size_t count) {
        auto made = std::make_unique<OptionItem>(2);
        made->names[0] = NewOptionText(count);
        return made;
    }

    void insert(std::unique_ptr<InstallItem> item, ItemPlace place) {
        InstallItem* placed = InsertAfter(package_->items, std::move(item), nullptr);
        EXPECT_TRUE(PlaceItem(package_->items, placed, place));
    }

    std::string add(InstallItem* selected) {
        const SequenceState state{PackageType::Application, true, selected};
        // The button's rule lets option lists into options, beside their actions.
        const AddMenuPlace menu = pick(2) ? AddMenuPlace::ItemMenu : AddMenuPlace::Button;
        const AddAction action = kAddActions[pick(kAddActions.size())];
        const std::string name = wideToUtf8(AddActionText(action));
        if (!AddActionEnabled(action, menu, state)) {
            if (CanAddElseIf(selected) && pick(2) == 0) {
                insert(std::make_unique<ConditionBranchItem>(condition()),
                       NewElseIfPlace(*selected));
                return "ELSEIF";
            }
            if (CanAddElse(selected)) {
                insert(std::make_unique<ConditionBranchItem>(), NewElsePlace(*selected));
                return "ELSE";
            }
            return "nothing (" + name + ")";
        }
        const ItemPlace place = NewItemPlace(selected);
        switch (action) {
        case AddAction::InstallFiles:
        case AddAction::LaunchFile:
        case AddAction::NullFile:
            insert(file(action == AddAction::LaunchFile ? FileType::FM
                        : action == AddAction::NullFile ? FileType::FN
                                                        : FileType::FF),
                   place);
            break;
        case AddAction::OptionList: {
            auto list = std::make_unique<ShowOptionListItem>();
            AppendChild(package_->items, option(1), list.get());
            insert(std::move(list), place);
            break;
        }
        case AddAction::Option: {
            size_t count = 1;
            for (InstallItem* o = selected->firstChild; o; o = o->next)
                ++count;
            insert(option(count), NewOptionPlace(*selected));
            break;
        }
        case AddAction::ConditionBlock: {
            auto block = std::make_unique<ConditionBlockItem>();
            AppendChild(package_->items, std::make_unique<ConditionBranchItem>(condition()),
                        block.get());
            insert(std::move(block), place);
            break;
        }
        case AddAction::Dialog: {
            auto dialog = std::make_unique<ShowDialogItem>(numbered(u".\\Dialog", u".txt"));
            dialog->name = dialog->source.substr(2, dialog->source.size() - 6);
            insert(std::move(dialog), place);
            break;
        }
        case AddAction::IncludePackage: {
            auto sis = std::make_unique<IncludePackageItem>(numbered(u".\\sis\\p", u".sis"));
            sis->uid = 0x20000000 + uint32_t(counter_);
            sis->unconditional = pick(2) == 0;
            insert(std::move(sis), place);
            break;
        }
        default: {
            auto language = std::make_unique<InstallLanguageFileItem>(2);
            language->sources = {numbered(u".\\en", u".rsc"), numbered(u".\\fr", u".rsc")};
            language->target = numbered(u"\\resource\\apps\\r", u".rsc");
            insert(std::move(language), place);
        }
        }
        return name;
    }

    std::mt19937 random_;
    std::unique_ptr<Package> package_;
    int counter_ = 0;
};

TEST(SequenceRoundTripTest, RandomEditsWriteAndReadBackTheSameTree) {
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        RandomEditor editor(seed);
        std::string history;
        for (int i = 0; i < 300; ++i) {
            history += editor.step() + "\n";
            std::unique_ptr<Package> back;
            ASSERT_EQ(ParsePackageText(PackageText(editor.package()), back), 0) << history;
            ASSERT_EQ(test::SequenceTreeText(back->items, 0),
                      test::SequenceTreeText(editor.package().items, 0))
                << "seed " << seed << ", after:\n"
                << history;
            ASSERT_EQ(test::DescribeItems(*back), test::DescribeItems(editor.package()))
                << "seed " << seed << ", after:\n"
                << history;
        }
    }
}

} // namespace
} // namespace tb
