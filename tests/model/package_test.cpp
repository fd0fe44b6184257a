#include "model/package.h"

#include "model/item_sequence.h"
#include "util/text_convert.h"

#include <gtest/gtest.h>

#include <pthread.h>
#include <string>

namespace tb {
namespace {

constexpr uint32_t EN = 1, FR = 2, GE = 3, IT = 5;

// A package in EN, FR with a per-language text everywhere one can live, tagged "<where>-<lang>":
// names, vendors, a dependency, a language package, three nested option lists and, in the
// deepest option, a language file and a language dialog.
struct LocalizedFixture {
    std::unique_ptr<Package> p = CreatePackage({EN, FR});
    std::vector<std::pair<std::u16string, LocalizedText*>> texts;

    void tag(std::u16string where, LocalizedText& text) {
        text = {where + u"-en", where + u"-fr"};
        texts.emplace_back(std::move(where), &text);
    }
    template <class T> T* add(InstallItemKind kind, InstallItem* parent) {
        return itemAs<T>(AppendChild(p->items, CreateItem(kind, 2), parent));
    }
    LocalizedFixture() {
        tag(u"name", p->names);
        tag(u"vendor", p->vendors);
        tag(u"dep", AddDependency(p->packageDependencies, CreateDependency(2))->names);
        using K = InstallItemKind;
        tag(u"pkg", add<IncludeLanguagePackageItem>(K::IncludeLanguagePackage, nullptr)->paths);
        InstallItem* parent = nullptr;
        for (char16_t depth : std::u16string_view(u"123")) {
            parent = add<OptionItem>(K::Option, add<InstallItem>(K::ShowOptionList, parent));
            tag(u"opt" + std::u16string(1, depth), itemAs<OptionItem>(parent)->names);
        }
        tag(u"file", add<InstallLanguageFileItem>(K::LanguageFile, parent)->sources);
        tag(u"dlg", add<ShowLanguageDialogItem>(K::ShowLanguageDialog, parent)->sources);
    }
};

TEST(PackageTest, SetLanguagesReordersAddsAndDropsTextsAtEveryDepth) {
    for (const std::vector<uint32_t>& languages :
         {std::vector<uint32_t>{FR, GE}, {IT, FR, EN}, {EN}, {}}) {
        LocalizedFixture f;
        ASSERT_TRUE(SetLanguages(*f.p, languages));
        EXPECT_EQ(f.p->languages, languages);
        for (const auto& [where, text] : f.texts) {
            LocalizedText expected;
            for (uint32_t language : languages)
                expected.push_back(language == EN   ? where + u"-en"
                                   : language == FR ? where + u"-fr"
                                                    : u"");
            EXPECT_EQ(*text, expected) << languages.size() << " " << wideToUtf8(where);
        }
    }
}

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

// Renders a sibling list as "a b L(O(c d))" and checks every link on the way.
std::u16string render(const ItemSequence& seq, const InstallItem* parent = nullptr) {
    std::u16string out;
    const InstallItem* prev = nullptr;
    for (const InstallItem* at = parent ? parent->firstChild : seq.first; at; at = at->next) {
        EXPECT_EQ(at->previous, prev);
        EXPECT_EQ(at->parent, parent);
        auto* file = itemAs<InstallFileItem>(at);
        out += (out.empty() ? u"" : u" ") + (file                                  ? file->source
                                             : at->kind == InstallItemKind::Option ? u"O"
                                                                                   : u"L");
        if (at->firstChild)
            out += u"(" + render(seq, at) + u")";
        prev = at;
    }
    if (!parent) {
        EXPECT_EQ(seq.last, prev);
    }
    return out;
}

TEST(ItemSequenceTest, InsertAndRemoveAtListEndsAndInsideOptions) {
    Tree t;
    InstallItem* a = InsertAfter(t.seq, t.file(u"a"), nullptr);
    InsertAfter(t.seq, t.file(u"c"), a);
    InsertAfter(t.seq, t.file(u"b"), a);

    InstallItem* l = t.list();
    InstallItem* o = t.option(l);
    InstallItem* x = t.add(u"x", o);
    InsertAfter(t.seq, t.file(u"y"), x);
    EXPECT_EQ(render(t.seq), u"a b c L(O(x y))"); // the top-level end stays
    // Collecting stays inside the given subtree.
    t.add(u"z", t.option(t.list(o)));
    std::vector<InstallItem*> under;
    CollectFileItems(o, under);
    EXPECT_EQ(under.size(), 3u);

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
    for (int unknownKind : {5, 6})
        EXPECT_EQ(CreateItem(static_cast<InstallItemKind>(unknownKind), 1), nullptr);
}

TEST(ItemSequenceTest, MovesAcrossListsAdoptTheNewParent) {
    Tree t;
    InstallItem* a = t.add(u"a");
    InstallItem* l = t.list();
    InstallItem* o = t.option(l);
    InstallItem* x = t.add(u"x", o);
    InstallItem* b = t.add(u"b");

    ASSERT_TRUE(MoveAfter(t.seq, b, x));         // last top-level item into an option
    ASSERT_TRUE(MoveAfter(t.seq, x, l));         // first child out to the top-level end
    ASSERT_TRUE(MoveAfter(t.seq, a, x));         // first top-level item to the end
    ASSERT_TRUE(MoveToFront(t.seq, a, nullptr)); // last to the front of the top level
    ASSERT_TRUE(MoveToFront(t.seq, x, o));
    ASSERT_TRUE(MoveToFront(t.seq, a, t.option(l))); // into an empty option
    EXPECT_EQ(render(t.seq), u"L(O(x b) O(a))");

    // The only top-level item moved to the front of the top level stays first and last.
    ASSERT_TRUE(MoveToFront(t.seq, l, nullptr));
    EXPECT_TRUE(t.seq.first == l && t.seq.last == l);
}

TEST(ItemSequenceTest, DestroysHugeAndDeepTreesWithoutRecursion) {
    // Run on a thread with a small stack so that any recursion per item or per level fails.
    auto build = [](void*) -> void* {
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
        return nullptr;
    };
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 256 * 1024);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attr, build, nullptr), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}

} // namespace
} // namespace tb
