#pragma once

#include "document/app_settings.h"
#include "document/application.h"
#include "support/gui_doubles.h"
#include "support/modal_dialogs.h"
#include "support/qt_printers.h"
#include "support/recording_message_boxes.h"
#include "support/temp_dir.h"
#include "ui/command_registry.h"
#include "ui/gui_build_events.h"
#include "util/error_code.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tb::test {

// Types text into box one key at a time, as the keyboard would; the box's validator may
// refuse a key.
inline void TypeInto(QLineEdit* box, const QString& text) {
    box->setFocus();
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}

// Replaces a box's text by typing.
inline void Retype(QLineEdit* box, const QString& text) {
    box->selectAll();
    QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(box, &erase);
    TypeInto(box, text);
}

// A package written from text into App/ of the test's own folder and a view of class View,
// created before the package opens; message boxes and file dialogs are answered by the test.
template <class View> class HeaderViewTest : public ::testing::Test {
protected:
    HeaderViewTest() { events.setController(&app.buildController); }

    // Opens the package and shows the view unless told not to.
    void open(const std::string& text, bool show = true) {
        path = dir.write("App/App.pkg", text);
        ASSERT_EQ(app.document.open(path, false), err::kOk);
        if (show)
            view.activate();
    }
    Package& package() { return *app.document.package(); }
    // Saves, so that the modified flag tells what comes after.
    void save() { ASSERT_EQ(app.document.save(), err::kOk); }

    TempDir dir;
    AppSettings settings{dir.file("user.conf"), dir.file("machine.conf"), dir.path().string()};
    ui::GuiBuildEvents events;
    Application app{settings, events, SdkList{}};
    ui::CommandRegistry registry;
    RecordingMessageBoxes boxes;
    AnsweringFileDialogs files;
    ModalWatchdog watchdog;
    View view{app, registry, nullptr};
    std::string path;
};

} // namespace tb::test
