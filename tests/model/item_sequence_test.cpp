#include "model/item_sequence.h"

#include <gtest/gtest.h>

#include <string>

namespace tb {
namespace {

struct Tree {
    ItemSequence seq;

    static std::unique_ptr<InstallItem> file(const char16_t* tag) {
        return CreateItem(InstallItemKind::File, 0, tag);
    }
    InstallItem* add(const char16_t* tag, InstallItem* parent = nullptr) {
        return AppendChild(seq, file(tag), parent);
    }
    InstallItem* list(InstallItem* parent = nullptr) {
        return AppendChild(seq, CreateItem(InstallItemKind::ShowOptionList, 0), parent);
    }
    InstallItem* option(InstallItem* optionList) {
        return AppendChild(seq, CreateItem(InstallItemKind::Option, 2), optionList);
    }
};

std::u16string tagOf(const InstallItem* item) {
    if (auto* f = itemAs<InstallFileItem>(item))
        return f->source;
    return item->kind == InstallItemKind::Option ? u"O" : u"L";
}

// Renders a sibling list as "a b (c d)" and checks every link on the way.
std::u16string render(const ItemSequence& seq, const InstallItem* first = nullptr,
                      const InstallItem* parent = nullptr) {
    std::u16string out;
    const InstallItem* start = parent ? first : seq.first;
    const InstallItem* prev = nullptr;
    for (const InstallItem* at = start; at; at = at->next) {
        EXPECT_EQ(at->previous, prev);
        EXPECT_EQ(at->parent, parent);
        if (!out.empty())
            out += u' ';
        out += tagOf(at);
        if (at->firstChild)
            out += u"(" + render(seq, at->firstChild, at) + u")";
        prev = at;
    }
    if (!parent) {
        EXPECT_EQ(seq.last, prev);
    }
    return out;
}

TEST(ItemSequenceTest, InsertAndRemoveAtListEndsAndInsideOptions) {
    Tree t;
    EXPECT_TRUE(t.seq.empty());
    InstallItem* a = InsertAfter(t.seq, t.file(u"a"), nullptr);
    EXPECT_TRUE(t.seq.first == a && t.seq.last == a);
    InsertAfter(t.seq, t.file(u"c"), a);
    InsertAfter(t.seq, t.file(u"b"), a);
    EXPECT_EQ(render(t.seq), u"a b c");

    InstallItem* l = t.list();
    InstallItem* o = t.option(l);
    InstallItem* x = t.add(u"x", o);
    InsertAfter(t.seq, t.file(u"y"), x);
    EXPECT_EQ(render(t.seq), u"a b c L(O(x y))"); // the top-level end stays

    // Removing at either end keeps first and last right; an option goes with its items.
    RemoveItem(t.seq, t.seq.first);
    RemoveItem(t.seq, l);
    EXPECT_EQ(render(t.seq), u"b c");
    InstallItem* l2 = t.list();
    InstallItem* o1 = t.option(l2);
    t.option(l2);
    t.add(u"z", o1);
    RemoveItem(t.seq, o1);
    EXPECT_EQ(render(t.seq), u"b c L(O)");
    RemoveItem(t.seq, l2);
    RemoveItem(t.seq, t.seq.first);
    RemoveItem(t.seq, t.seq.first);
    EXPECT_TRUE(t.seq.first == nullptr && t.seq.last == nullptr);
}

TEST(ItemSequenceTest, MovesAcrossListsAdoptTheNewParent) {
    Tree t;
    InstallItem* a = t.add(u"a");
    InstallItem* l = t.list();
    InstallItem* o = t.option(l);
    InstallItem* x = t.add(u"x", o);
    InstallItem* b = t.add(u"b");

    ASSERT_TRUE(MoveAfter(t.seq, b, x)); // last top-level item into an option
    EXPECT_EQ(render(t.seq), u"a L(O(x b))");

    ASSERT_TRUE(MoveAfter(t.seq, x, l)); // first child out to the top-level end
    EXPECT_EQ(render(t.seq), u"a L(O(b)) x");

    ASSERT_TRUE(MoveAfter(t.seq, a, x)); // first top-level item to the end
    EXPECT_EQ(render(t.seq), u"L(O(b)) x a");

    EXPECT_FALSE(MoveAfter(t.seq, l, b));
    EXPECT_FALSE(MoveAfter(t.seq, l, l));
    EXPECT_FALSE(MoveToFront(t.seq, l, o));
    EXPECT_EQ(render(t.seq), u"L(O(b)) x a");

    ASSERT_TRUE(MoveToFront(t.seq, a, nullptr)); // last to the front of the top level
    EXPECT_EQ(render(t.seq), u"a L(O(b)) x");
    ASSERT_TRUE(MoveToFront(t.seq, x, o));
    EXPECT_EQ(render(t.seq), u"a L(O(x b))");
    InstallItem* empty = t.option(l);
    ASSERT_TRUE(MoveToFront(t.seq, a, empty)); // into an empty option
    EXPECT_EQ(render(t.seq), u"L(O(x b) O(a))");

    // The only top-level item moved to the front of the top level stays first and last.
    ASSERT_TRUE(MoveToFront(t.seq, l, nullptr));
    EXPECT_TRUE(t.seq.first == l && t.seq.last == l);
}

// Pre-order across nesting shows in the editing rules over the files and dialogs.
TEST(ItemSequenceTest, CollectStaysInsideTheGivenSubtree) {
    Tree t;
    InstallItem* o = t.option(t.list());
    t.add(u"a", o);
    t.add(u"b", t.option(t.list(o)));
    t.add(u"c");
    std::vector<InstallItem*> under;
    CollectFileItems(o, under);
    EXPECT_EQ(under.size(), 2u);
}

TEST(ItemSequenceTest, CreateItemRefusesUnknownKinds) {
    for (int kind : {5, 6})
        EXPECT_EQ(CreateItem(static_cast<InstallItemKind>(kind), 1), nullptr);
}

TEST(ItemSequenceTest, DestroysHugeAndDeepTreesWithoutRecursion) {
    // Run on a thread with a small stack so that any recursion per item or per level fails.
    auto build = [] {
        ItemSequence seq;
        for (int i = 0; i < 100000; ++i)
            AppendChild(seq, CreateItem(InstallItemKind::File, 0, u"f"), nullptr);
        InstallItem* parent = nullptr;
        for (int depth = 0; depth < 20000; ++depth) {
            InstallItem* list =
                AppendChild(seq, CreateItem(InstallItemKind::ShowOptionList, 1), parent);
            parent = AppendChild(seq, CreateItem(InstallItemKind::Option, 1), list);
        }
        std::vector<InstallItem*> none;
        CollectFileItems(seq.first->next, none);
        seq.clear();
        EXPECT_TRUE(seq.empty());
    };
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 256 * 1024);
    pthread_t thread;
    auto run = [](void* fn) -> void* {
        (*static_cast<decltype(build)*>(fn))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, run, &build), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}

} // namespace
} // namespace tb
