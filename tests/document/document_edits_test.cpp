#include "document/app_settings.h"
#include "document/edit_batch.h"
#include "document/package_document.h"
#include "document/recent_file_list.h"
#include "editing/sequence_text.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>

namespace tb {
namespace {

const int kViewMarker = 0;
const EditOrigin kBy{ItemChangeSource::Phone, &kViewMarker};

// Writes each event as "Added x", "package Header", "batch(", ... and marks with " !" an item
// event that finds the document in the wrong state: not yet modified, the item not (or, when
// removed, still) in the sequence, or the edit's origin lost.
struct Recorder : DocumentListener {
    Recorder(PackageDocument& d, test::SequenceText& t) : document(d), text(t) {}

    void itemChanged(const ItemChange& c) override {
        static const char* const kTypes[] = {"Added", "Changed", "Removed", "Moved"};
        std::string event = std::string(kTypes[int(c.type)]) + " " + text.name(c.item);
        const bool removed = c.type == ItemChangeType::Removed;
        if (!document.modified() || inSequence(c.item) == removed || c.origin != kBy.origin ||
            c.source != kBy.source)
            event += " !";
        add(event);
        if (onItem)
            onItem(c);
    }
    void packageChanged(const PackageChange& c) override {
        static const char* const kKinds[] = {"Header",       "Logo",      "Properties",
                                             "Dependencies", "Languages", "BuildSettings"};
        add(std::string("package ") + kKinds[int(c.kind)] +
            (c.origin == kBy.origin && document.modified() ? "" : " !"));
    }
    void currentLanguageChanged(size_t index) override { add("language " + std::to_string(index)); }
    void editBatchStarted() override { add("batch("); }
    void editBatchEnded() override { add(")batch"); }

    bool inSequence(const InstallItem* item) const {
        while (item->parent)
            item = item->parent;
        for (const InstallItem* top = document.package()->items.first; top; top = top->next)
            if (top == item)
                return true;
        return false;
    }

    PackageDocument& document;
    test::SequenceText& text;
    void add(const std::string& event) { events += (events.empty() ? "" : ", ") + event; }
    std::string events; // in order, comma-separated
    std::function<void(const ItemChange&)> onItem;
};

class DocumentEditsTest : public ::testing::Test {
protected:
    void open(const char* contents, const char* sequence) {
        ASSERT_EQ(document.open(dir.write("a.pkg", contents), false), 0);
        text = test::SequenceText();
        text.build(document.package()->items, sequence);
        recorder.events.clear();
    }
    std::string sequence() const { return text.print(document.package()->items); }
    InstallFileItem* file(const char* name) { return itemAs<InstallFileItem>(text[name]); }

    test::TempDir dir;
    AppSettings settings{dir.file("settings.conf"), dir.file("machine.conf"), dir.file("bin")};
    RecentFileList recent;
    BuildConfiguration configuration{SdkList{}};
    PackageDocument document{settings, recent, configuration, nullptr};
    test::SequenceText text;
    Recorder recorder{document, text};

    void SetUp() override { document.addListener(&recorder); }
};

const char* const kOneLanguage = "&EN\n#{\"a\"},(0x1),1,0,0\n";
const char* const kStart = "a L{o1(c) o2()} e";

struct EditCase {
    const char* what;
    std::function<bool(PackageDocument&, test::SequenceText&)> edit;
    bool done;
    const char* after;
    const char* events; // empty: nothing told, nothing marked modified
};

TEST_F(DocumentEditsTest, EachEditChangesMarksAndTellsInThatOrder) {
    using D = PackageDocument;
    using T = test::SequenceText;
    auto insert = [](const char* item, ItemPlace (*where)(InstallItem*), const char* anchor) {
        return [=](D& d, T& t) {
            return d.insertItem(t.make(item), where(anchor ? t[anchor] : nullptr), kBy) != nullptr;
        };
    };
    auto move = [](const char* item, ItemPlace (*where)(InstallItem*), const char* anchor) {
        return [=](D& d, T& t) { return d.moveItem(t[item], where(t[anchor]), kBy); };
    };
    auto change = [](PackageChangeKind kind, void (*edit)(Package&)) {
        return [=](D& d, T&) { return d.changePackage(kind, edit, kBy.origin); };
    };
    auto source = [](D& d, T& t) {
        return d.changeItem(
            itemAs<InstallFileItem>(t["a"]), [](auto& f) { f.source = u"z"; }, kBy);
    };
    auto nothing = [](D& d, T& t) {
        return d.changeItem(
            t["a"], [](InstallItem&) { return false; }, kBy);
    };
    auto noItem = [](D& d, T&) {
        return d.removeItem(nullptr, kBy) || d.moveItem(nullptr, {}, kBy) ||
               d.moveItemDown(nullptr, kBy) || d.insertItem(nullptr, {}, kBy);
    };
    const EditCase cases[] = {
        {"insert after", insert("x", ItemPlace::after, "a"), true, "a x L{o1(c) o2()} e",
         "Added x"},
        {"insert before nothing", insert("x", ItemPlace::before, nullptr), false, kStart, ""},
        {"insert with a subtree", insert("K{p1(y)}", ItemPlace::before, "L"), true,
         "a K{p1(y)} L{o1(c) o2()} e", "Added K"},
        {"change", source, true, "z L{o1(c) o2()} e", "Changed z"},
        {"change that changes nothing", nothing, false, kStart, ""},
        {"remove with the subtree", [](D& d, T& t) { return d.removeItem(t["L"], kBy); }, true,
         "a e", "Removed L"},
        {"move after", move("e", ItemPlace::after, "a"), true, "a e L{o1(c) o2()}", "Moved e"},
        {"move to where it is", move("c", ItemPlace::firstChildOf, "o1"), true, kStart, ""},
        {"move up into an option", [](D& d, T& t) { return d.moveItemUp(t["e"], kBy); }, true,
         "a L{o1(c) o2(e)}", "Moved e"},
        {"change the header", change(PackageChangeKind::Header, [](Package& p) { p.uid = 7; }),
         true, kStart, "package Header"},
        {"languages only through setLanguages",
         change(PackageChangeKind::Languages, [](Package&) {}), false, kStart, ""},
        {"no item", noItem, false, kStart, ""},
    };
    for (const EditCase& c : cases) {
        open(kOneLanguage, kStart);
        EXPECT_EQ(c.edit(document, text), c.done) << c.what;
        EXPECT_EQ(sequence(), c.after) << c.what;
        EXPECT_EQ(recorder.events, c.events) << c.what;
        EXPECT_EQ(document.modified(), *c.events != 0) << c.what;
    }
}

// The texts themselves follow in SetLanguages (package_test).
TEST_F(DocumentEditsTest, SetLanguagesKeepsTheShownLanguage) {
    struct Case {
        std::vector<uint32_t> languages;
        bool done;
        LocalizedText names;
        size_t shown;
        const char* events;
    };
    const Case cases[] = {
        {{2, 1, 3}, true, {u"f", u"e", u"g"}, 0, "package Languages, language 0"},
        {{1, 3}, true, {u"e", u"g"}, 0, "package Languages, language 0"}, // French dropped
        {{1, 2, 3}, true, {u"e", u"f", u"g"}, 1, ""},
        {{}, false, {u"e", u"f", u"g"}, 1, ""},
        {{1, 2, 1}, false, {u"e", u"f", u"g"}, 1, ""},
    };
    for (const Case& c : cases) {
        open("&EN,FR,GE\n#{\"e\",\"f\",\"g\"},(0x1),1,0,0\n", "a");
        document.setCurrentLanguage(1);
        recorder.events.clear();
        EXPECT_EQ(document.setLanguages(c.languages, kBy.origin), c.done);
        EXPECT_EQ(document.package()->names, c.names);
        EXPECT_EQ(document.currentLanguage(), c.shown);
        EXPECT_EQ(recorder.events, c.events);
        EXPECT_EQ(document.modified(), *c.events != 0);
    }
}

TEST_F(DocumentEditsTest, BatchesNestAndStillTellEveryChange) {
    open(kOneLanguage, kStart);
    {
        EditBatch outer(document);
        document.changeItem(
            file("a"), [](InstallFileItem& f) { f.source = u"z"; }, kBy);
        {
            EditBatch inner(document);
            document.removeItem(text["c"], kBy);
            document.insertItem(text.make("x"), ItemPlace::lastChildOf(text["o2"]), kBy);
        }
        EXPECT_TRUE(document.inEditBatch());
        document.changePackage(
            PackageChangeKind::Logo, [](Package&) {}, kBy.origin);
    }
    EXPECT_FALSE(document.inEditBatch());
    EXPECT_EQ(recorder.events, "batch(, Changed z, Removed c, Added x, package Logo, )batch");
    EXPECT_EQ(sequence(), "z L{o1() o2(x)} e");
}

TEST_F(DocumentEditsTest, EditsWaitForTheChangeBeingTold) {
    open(kOneLanguage, kStart);
    // A listener that removes the item it hears of would hand the later ones a destroyed item.
    std::vector<bool> refused;
    recorder.onItem = [&](const ItemChange& c) {
        refused.push_back(!document.removeItem(const_cast<InstallItem*>(c.item), kBy));
        refused.push_back(!document.changePackage(
            PackageChangeKind::Header, [](Package&) {}, nullptr));
    };
    Recorder later(document, text);
    document.addListener(&later);
    ASSERT_TRUE(document.insertItem(text.make("x"), ItemPlace::after(text["a"]), kBy));
    EXPECT_EQ(refused, (std::vector<bool>{true, true}));
    EXPECT_EQ(later.events, "Added x");
    EXPECT_EQ(sequence(), "a x L{o1(c) o2()} e");

    document.close();
    EXPECT_FALSE(document.moveItemUp(text["x"], kBy)) << "nothing to edit without a package";
    EXPECT_FALSE(document.setLanguages({1}, nullptr));
    document.removeListener(&later);
}

} // namespace
} // namespace tb
