#include "document/package_document.h"

#include "document/app_settings.h"
#include "document/edit_batch.h"
#include "document/messages.h"
#include "document/recent_file_list.h"
#include "document/user_prompt.h"
#include "editing/sequence_text.h"
#include "model/package_reader.h"
#include "model/package_writer.h"
#include "support/temp_dir.h"
#include "util/path.h"

#include <gtest/gtest.h>

#include <functional>

namespace tb {
namespace {

namespace fs = std::filesystem;

const int kViewMarker = 0;
const EditOrigin kBy{ItemChangeSource::Phone, &kViewMarker};

// Writes each event as "opened", "Added x", "package Header", "batch(", ... and marks with " !"
// an item event that finds the document in the wrong state: not yet modified, the item not (or,
// when removed, still) in the sequence, or the edit's origin lost.
struct Recorder : DocumentListener {
    Recorder(PackageDocument& d, test::SequenceText& t) : document(d), text(t) {}

    void documentCreated() override { add("created"); }
    void documentOpened() override { add("opened"); }
    void documentSaved() override { add("saved"); }
    void documentClosed() override { add("closed"); }
    void commitEdits() override { add("commit"); }
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

struct ScriptedPrompt : UserPrompt {
    PromptAnswer answer = PromptAnswer::No;
    std::vector<std::u16string> asked, errors;
    PromptAnswer askYesNoCancel(std::u16string_view q) override {
        asked.emplace_back(q);
        return answer;
    }
    void showError(std::u16string_view m) override { errors.emplace_back(m); }
};

class PackageDocumentTest : public ::testing::Test {
protected:
    test::TempDir dir;
    AppSettings settings{dir.file("settings.conf"), dir.file("machine.conf"), dir.file("bin")};
    RecentFileList recent;
    BuildConfiguration configuration{SdkList{}};
    PackageDocument document{settings, recent, configuration, nullptr};
    test::SequenceText text;
    Recorder recorder{document, text};

    void SetUp() override { document.addListener(&recorder); }
};

const char* const kMinimal = "&EN\n#{\"a\"},(0x1),1,0,0\n";

TEST_F(PackageDocumentTest, CreateWithDirectoryLaysOutFolderOutputAndRecentEntry) {
    const NewPackageRequest request{
        u"Demo", PackageType::Application, {1, 2}, 1, dir.path().string(), true, 4};
    ASSERT_FALSE(CheckNewPackage(request));
    ASSERT_EQ(document.create(request), 0);

    const std::string expected = dir.file("Demo/Demo.pkg");
    EXPECT_EQ(std::tuple(document.filePath(), document.fileName(), document.folder(),
                         document.currentLanguage()),
              std::tuple(expected, "Demo.pkg", dir.file("Demo"), 1u));
    EXPECT_EQ(recorder.events, "created") << "no events while the new file is written";
    ASSERT_EQ(recent.size(), 1u);
    EXPECT_EQ(std::tie(recent[0].path, recent[0].typeName, settings.lastPackageTarget),
              std::tuple(fromHostPath(expected), u"Application", 4u));

    std::unique_ptr<Package> onDisk;
    ASSERT_EQ(LoadPackage(expected, onDisk), 0);
    ASSERT_EQ(onDisk->deviceDependencies.size(), 1u);
    EXPECT_EQ(std::tie(onDisk->uid, onDisk->names, onDisk->deviceDependencies[0]->names[1]),
              std::tuple(0x80000000u, LocalizedText{u"", u"Demo"}, u"S60 5th Edition"));
    EXPECT_EQ(std::tie(onDisk->output.outputName, onDisk->output.outputFolder),
              std::tuple(u"Demo.sis", u""))
        << "the project folder is stored empty";

    // The same request again is refused before anything is touched; so is a location that is
    // no folder. Bad names: NamesTest, and CliTest's message.
    EXPECT_EQ(CheckNewPackage(request), messages::kPackageExists);
    EXPECT_EQ(CheckNewPackage({u"Demo", {}, {1}, 0, dir.write("file", "x")}),
              messages::kInvalidLocation);
    // The generic device (0) needs no dependency.
    document.close();
    ASSERT_EQ(document.create({u"Generic", {}, {1}, 0, dir.path().string()}), 0);
    ASSERT_EQ(LoadPackage(dir.file("Generic.pkg"), onDisk), 0);
    EXPECT_EQ(std::tuple(onDisk->deviceDependencies.size(), settings.lastPackageTarget),
              std::tuple(0u, 0u));
}

TEST_F(PackageDocumentTest, OpenFillsOutputDefaultsAndFallsBackToFirstLanguage) {
    std::string path = dir.write("My.App.pkg", "&FR,GE\n#{\"a\",\"b\"},(0x1),1,0,0\n");
    settings.defaultLanguage = 1; // English, which the package lacks
    ASSERT_EQ(document.open(path, true), 0);
    const OutputSettings& output = document.package()->output;
    EXPECT_EQ(std::tie(output.outputName, output.outputFolder), std::tuple(u"My.App.sis", u""));
    EXPECT_EQ(std::tuple(document.currentLanguage(), recent.size()), std::tuple(0u, 1u));

    settings.defaultLanguage = 3; // German: second in the package
    ASSERT_EQ(document.open(path, false), 0);
    EXPECT_EQ(document.currentLanguage(), 1u);
    EXPECT_EQ(recorder.events, "opened, closed, opened");

    EXPECT_EQ(document.open(dir.file("missing.pkg"), true), err::kNotFound);
    EXPECT_FALSE(document.isOpen()) << "a failed open leaves no package open";
    EXPECT_EQ(document.open(dir.write("bad.pkg", "&XX\n"), true), err::kCorruptPackage);
}

// A save clears modified and refreshes the recent entry; one that fails keeps the package and
// the file. Closing always asks, and a failed save stops it.
TEST_F(PackageDocumentTest, SaveAndTheCloseQuestion) {
    ScriptedPrompt prompt;
    EXPECT_TRUE(document.closeWithQuestion(prompt)) << "nothing open, nothing asked";
    const std::string path = dir.write("a.pkg", kMinimal);
    ASSERT_EQ(document.open(path, true), 0);
    document.changePackage(
        PackageChangeKind::Header, [](Package& p) { p.type = PackageType::PreinstalledAddOn; },
        kBy.origin);
    ASSERT_EQ(document.save(), 0);
    EXPECT_EQ(std::tuple(document.modified(), recent[0].typeName, recorder.events),
              std::tuple(false, u"Preinstalled Add-on", "opened, package Header, commit, saved"));

    const std::string before = test::ReadBytes(path);
    document.package()->names[0] = u"say \"hi\"";
    EXPECT_EQ(document.save(), kErrorQuoteInText);
    prompt.answer = PromptAnswer::Yes;
    EXPECT_FALSE(document.closeWithQuestion(prompt)) << "a failed save stops the close";
    EXPECT_EQ(prompt.errors.size(), 1u);
    prompt.answer = PromptAnswer::Cancel;
    EXPECT_FALSE(document.closeWithQuestion(prompt));
    EXPECT_EQ(prompt.asked, std::vector<std::u16string>(2, u"Save any changes?"));
    prompt.answer = PromptAnswer::No;
    EXPECT_TRUE(document.closeWithQuestion(prompt));
    EXPECT_FALSE(document.isOpen());
    EXPECT_EQ(test::ReadBytes(path), before) << "neither the failed saves nor No wrote";

    // A folder where the file was: the rename fails, the package stays open.
    ASSERT_EQ(document.open(path, false), 0);
    fs::remove(path);
    fs::create_directory(path);
    document.package()->names[0] = u"fine";
    EXPECT_NE(document.save(), 0);
    EXPECT_EQ(document.package()->names[0], u"fine");
}

// The menu's order after an open is main_window_gui_test's; here the stored path without
// its extension and the new time.
TEST_F(PackageDocumentTest, OpenRecentAddsTheExtensionAndStampsTheEntry) {
    std::string a = dir.write("a.pkg", kMinimal);
    recent.add(fromHostPath(a.substr(0, a.size() - 4)), u"Application", 2);
    recent.add(fromHostPath(dir.file("b.pkg")), u"Application", 3);
    ASSERT_EQ(document.openRecent(1), 0);
    EXPECT_EQ(document.filePath(), a);
    EXPECT_EQ(recent[0].path, fromHostPath(a.substr(0, a.size() - 4)));
    EXPECT_GT(recent[0].lastOpened, 3u);
}

TEST_F(PackageDocumentTest, RelativeLocationsBecomeAbsoluteFolders) {
    const std::string work = dir.file("work");
    fs::create_directory(work);
    test::ScopedWorkingDirectory cwd(work);
    // The folder, the location remembered and the output folder stored.
    auto createAt = [&](const char16_t* name, const char* location, bool createDirectory) {
        document.close();
        EXPECT_EQ(document.create({name, {}, {1}, 0, location, createDirectory}), 0) << location;
        std::unique_ptr<Package> onDisk;
        EXPECT_EQ(LoadPackage(document.filePath(), onDisk), 0) << location;
        return std::tuple(document.folder(), settings.lastPackageLocation,
                          onDisk ? onDisk->output.outputFolder : u"?");
    };
    EXPECT_EQ(createAt(u"Sub", "./", true), std::tuple(work + "/Sub", fromHostPath(work), u""));
    EXPECT_EQ(createAt(u"Up", "../work/.", false), std::tuple(work, fromHostPath(work), u""));
}

TEST_F(PackageDocumentTest, RelativeOutputFoldersAreTakenFromThePackagesFolder) {
    const std::string folder = dir.file("pkgs");
    const std::pair<const char*, std::string> cases[] = {
        {"./out/", folder + "/out/"},
        {"..\\bin", dir.file("bin")},
        {"/elsewhere/out", "/elsewhere/out"},
        {"D:\\out", "D:\\out"}, // a Windows drive path stays as it is
        {"$(EPOCROOT)out", "$(EPOCROOT)out"},
        // The package's own folder, however written, is kept empty.
        {"..\\pkgs\\", ""},
        {"", ""},
    };
    for (const auto& [stored, expected] : cases) {
        const std::string path =
            dir.write("pkgs/P.pkg", std::string(kMinimal) + "; output_folder \"" + stored + "\"\n");
        ASSERT_EQ(document.open(path, false), 0) << stored;
        EXPECT_EQ(document.package()->output.outputFolder, fromHostPath(expected)) << stored;
    }
}

// $(EPOCROOT) and the build macros, and a missing folder, are CliTest's export.
TEST_F(PackageDocumentTest, ExportResolvesPathsAndReportsBadTargets) {
    ASSERT_EQ(document.open(
                  dir.write("p.pkg", std::string(kMinimal) + "\"gfx\\i.mbm\"-\"!:\\i\"\n"), false),
              0);
    const SdkInfo sdk{u"n", u"S", u"/opt/sdk", false};
    const std::string out = dir.file("out.pkg");
    ASSERT_EQ(document.exportTo(sdk, BuildPlatform::Armv5, BuildTarget::Udeb, out), 0);
    std::unique_ptr<Package> exported;
    ASSERT_EQ(LoadPackage(out, exported), 0);
    EXPECT_EQ(itemAs<InstallFileItem>(exported->items.first)->source,
              fromHostPath(dir.file("gfx/i.mbm")));
    EXPECT_EQ(itemAs<InstallFileItem>(document.package()->items.first)->source, u"gfx\\i.mbm")
        << "the open package keeps its stored paths";
    EXPECT_EQ(document.exportTo(sdk, BuildPlatform::Gcce, BuildTarget::Urel, dir.file("CON")),
              err::kInvalidName);
}

// The item and package edits, what they tell the listeners and when.
class DocumentEditsTest : public PackageDocumentTest {
protected:
    void open(const char* contents, const char* sequence) {
        ASSERT_EQ(document.open(dir.write("a.pkg", contents), false), 0);
        text = test::SequenceText();
        text.build(document.package()->items, sequence);
        recorder.events.clear();
    }
    std::string sequence() const { return text.print(document.package()->items); }
};

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
        {"insert a subtree after", insert("K{p1(y)}", ItemPlace::after, "a"), true,
         "a K{p1(y)} L{o1(c) o2()} e", "Added K"},
        {"insert before nothing", insert("x", ItemPlace::before, nullptr), false, kStart, ""},
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
        SCOPED_TRACE(c.what);
        open(kMinimal, kStart);
        EXPECT_EQ(c.edit(document, text), c.done);
        EXPECT_EQ(std::tuple(sequence(), recorder.events, document.modified()),
                  std::tuple(c.after, c.events, *c.events != 0));
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
        {{1, 2, 1}, false, {u"e", u"f", u"g"}, 1, ""},
    };
    for (const Case& c : cases) {
        open("&EN,FR,GE\n#{\"e\",\"f\",\"g\"},(0x1),1,0,0\n", "a");
        document.setCurrentLanguage(1);
        recorder.events.clear();
        EXPECT_EQ(document.setLanguages(c.languages, kBy.origin), c.done);
        EXPECT_EQ(std::tuple(document.package()->names, document.currentLanguage(), recorder.events,
                             document.modified()),
                  std::tuple(c.names, c.shown, c.events, *c.events != 0));
    }
}

TEST_F(DocumentEditsTest, BatchesNestAndStillTellEveryChange) {
    open(kMinimal, kStart);
    {
        EditBatch outer(document);
        document.changeItem(
            itemAs<InstallFileItem>(text["a"]), [](InstallFileItem& f) { f.source = u"z"; }, kBy);
        {
            EditBatch inner(document);
            document.removeItem(text["c"], kBy);
            document.insertItem(text.make("x"), ItemPlace::lastChildOf(text["o2"]), kBy);
        }
        document.changePackage(
            PackageChangeKind::Logo, [](Package&) {}, kBy.origin);
    }
    EXPECT_EQ(recorder.events, "batch(, Changed z, Removed c, Added x, package Logo, )batch");
    EXPECT_EQ(sequence(), "z L{o1() o2(x)} e");
}

TEST_F(DocumentEditsTest, EditsWaitForTheChangeBeingTold) {
    open(kMinimal, kStart);
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
