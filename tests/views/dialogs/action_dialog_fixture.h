#pragma once

#include "document/app_settings.h"
#include "document/package_document.h"
#include "document/recent_file_list.h"
#include "support/gui_doubles.h"
#include "support/modal_dialogs.h"
#include "support/qt_printers.h"
#include "support/recording_message_boxes.h"
#include "support/temp_dir.h"
#include "ui/qt_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tb::test {

using namespace std::string_literals;

// The bytes of a dialog text file holding text (ASCII) as the program writes it.
inline std::string TextFileBytes(const std::string& text) {
    std::string bytes = "\xFF\xFE";
    for (char c : text)
        bytes += std::string{c, '\0'};
    return bytes;
}

// An open package (English, French, German; French shown) in a folder of its own, unmodified,
// with its message boxes and file dialogs answered by the test.
class ActionDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string path =
            dir.write("App.pkg", "&EN,FR,GE\n#{\"App\",\"App\",\"App\"},(0xA0001234),1,0,0\n");
        ASSERT_EQ(document.open(path, false), 0);
        document.setCurrentLanguage(1);
    }

    // Puts item at the end of the sequence and leaves the package unmodified again.
    template <class Item> Item* add(std::unique_ptr<Item> item) {
        auto* added = static_cast<Item*>(
            document.insertItem(std::move(item), ItemPlace::lastChildOf(nullptr), kBy));
        EXPECT_EQ(document.save(), 0);
        return added;
    }

    std::vector<QString> shownTexts() const {
        std::vector<QString> texts;
        for (const auto& shown : boxes.shown)
            texts.push_back(shown.text);
        return texts;
    }

    static inline const int kMarker = 0;
    static inline const EditOrigin kBy{ItemChangeSource::Sequence, &kMarker};

    TempDir dir;
    AppSettings settings{dir.file("settings.conf"), dir.file("machine.conf"), dir.file("bin")};
    RecentFileList recent;
    BuildConfiguration configuration{SdkList{}};
    PackageDocument document{settings, recent, configuration, nullptr};
    RecordingMessageBoxes boxes;
    AnsweringFileDialogs files;
    ModalWatchdog watchdog;
};

} // namespace tb::test
