#pragma once

#include "ui/qt_text.h"
#include "views/view_fixture.h"

namespace tb::test {

// The bytes of a dialog text file holding text (ASCII) as the program writes it.
inline std::string TextFileBytes(const std::string& text) {
    std::string bytes = "\xFF\xFE";
    for (char c : text)
        bytes += std::string{c, '\0'};
    return bytes;
}

// An open package (English, French, German; French shown), unmodified.
class ActionDialogTest : public AppTest {
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

    static inline const int kMarker = 0;
    static inline const EditOrigin kBy{ItemChangeSource::Sequence, &kMarker};
};

} // namespace tb::test
