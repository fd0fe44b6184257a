#pragma once

#include "document/document_listener.h"
#include "model/item_sequence.h"
#include "ui/qt_text.h"
#include "util/text_convert.h"
#include "views/view_fixture.h"

namespace tb::test {

// Every item change the document tells, and how many edit batches it started.
struct ChangeLog : DocumentListener {
    void itemChanged(const ItemChange& change) override { changes.push_back(change); }
    void editBatchStarted() override { ++batches; }
    std::vector<ItemChange> changes;
    int batches = 0;
};

// The origin the tests' own edits give.
inline const int kMarker = 0;
inline const EditOrigin kBy{ItemChangeSource::Sequence, &kMarker};

// A header (English and French, UID 0xA0001234) and files: plain ones at the top level, in an
// option and in a condition branch, one shown in a viewer, one per language and a null file.
inline const std::string kHeader = "&EN,FR\n#{\"App\",\"App FR\"},(0xA0001234),1,0,0\n"
                                   "%{\"V\",\"V\"}\n:\"V\"\n";
inline const std::string kFiles =
    "\"bin\\app.exe\"-\"!:\\sys\\bin\\app.exe\"\n"
    "\"docs\\readme.txt\"-\"\",FM,\"text/plain\",RI\n"
    "!({\"Extra\",\"Extra FR\"})\n"
    "IF option1\n"
    "\"extra\\extra.dat\"-\"e:\\private\\a0001234\\extra.dat\",FR,RB,RW\n"
    "ENDIF\n"
    "IF exists(\"c:\\x\")\n"
    "\"cond.txt\"-\"c:\\private\\a0001234\\cond.txt\",FR,RR\n"
    "ENDIF\n"
    "{\"en.rsc\" \"fr.rsc\"}-\"!:\\resource\\apps\\lang.rsc\"\n"
    "\"\"-\"!:\\private\\a0001234\\cache.dat\",FN\n";

// An open package in App/ of a folder of its own: the file dialogs' and the File Overview's.
class FilePackageTest : public AppTest {
protected:
    FilePackageTest() { document.addListener(&log); }
    ~FilePackageTest() override { document.removeListener(&log); }

    void open(const std::string& sequence = kFiles, const std::string& header = kHeader) {
        ASSERT_EQ(document.open(dir.write("App/App.pkg", header + sequence), false), 0);
        log.changes.clear();
    }

    // The file item whose target (else source, else first source) is text.
    template <class Item = FileItemBase> Item* file(const char16_t* text) {
        for (InstallItem* item : CollectFileItems(package().items)) {
            auto* file = itemAs<FileItemBase>(item);
            const auto* plain = itemAs<InstallFileItem>(item);
            const auto* language = itemAs<InstallLanguageFileItem>(item);
            if (file->target == text || (plain && plain->source == text) ||
                (language && language->sources[0] == text))
                return itemAs<Item>(item);
        }
        ADD_FAILURE() << "no file " << wideToUtf8(text);
        return nullptr;
    }

    // The folder of the package file, with its final '/'.
    std::string folder() const { return (dir.path() / "App").string() + "/"; }

    ChangeLog log;
};

} // namespace tb::test
