#pragma once

#include "document/app_settings.h"
#include "document/application.h"
#include "document/document_listener.h"
#include "model/item_sequence.h"
#include "support/gui_doubles.h"
#include "support/modal_dialogs.h"
#include "support/qt_printers.h"
#include "support/recording_message_boxes.h"
#include "support/temp_dir.h"
#include "ui/gui_build_events.h"
#include "ui/qt_text.h"
#include "util/text_convert.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tb::test {

// Answers the file choosers; "Add File(s)" gets every file of answers.
struct SeveralFileDialogs : AnsweringFileDialogs {
    QStringList openFiles(QWidget*, const QString& title, const QString& filter,
                          const QString& folder) override {
        asked = {title, filter, folder};
        return answers;
    }
    QStringList answers;
};

// Every item change the document tells.
struct ChangeLog : DocumentListener {
    void itemChanged(const ItemChange& change) override { changes.push_back(change); }
    std::vector<ItemChange> changes;
};

// The package's header (English and French, UID 0xA0001234) and a sequence of files: plain
// ones at the top level, inside an option and inside a condition branch, a file shown in a
// viewer, a language-dependent file and a null file.
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

// An open package in a folder of its own, with its message boxes and file dialogs answered.
class FilePackageTest : public ::testing::Test {
protected:
    FilePackageTest() { app.document.addListener(&log); }
    ~FilePackageTest() override { app.document.removeListener(&log); }

    void open(const std::string& sequence = kFiles, const std::string& header = kHeader) {
        const std::string path = dir.write("App/App.pkg", header + sequence);
        ASSERT_EQ(app.document.open(path, false), 0);
        log.changes.clear();
    }

    Package& package() { return *app.document.package(); }

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

    std::vector<QString> shown() const {
        std::vector<QString> texts;
        for (const auto& box : boxes.shown)
            texts.push_back(box.text);
        return texts;
    }

    // The folder of the package file, with its final '/'.
    std::string folder() const { return (dir.path() / "App").string() + "/"; }

    static inline const int kMarker = 0;
    static inline const EditOrigin kBy{ItemChangeSource::Sequence, &kMarker};

    TempDir dir;
    AppSettings settings{dir.file("settings.conf"), dir.file("machine.conf"), dir.file("bin")};
    ui::GuiBuildEvents events;
    Application app{settings, events, SdkList{}};
    PackageDocument& document = app.document;
    ChangeLog log;
    RecordingMessageBoxes boxes;
    SeveralFileDialogs files;
    ModalWatchdog watchdog;
};

} // namespace tb::test
