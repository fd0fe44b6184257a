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

#include <QAbstractItemModel>
#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace tb::test {

// Types text into widget one key at a time, as the keyboard would.
inline void TypeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

// The texts of a model row, column by column.
inline QStringList RowCells(const QAbstractItemModel& model, int row) {
    QStringList cells;
    for (int column = 0; column < model.columnCount(); ++column)
        cells << model.index(row, column).data().toString();
    return cells;
}

inline QStringList HeaderTexts(const QAbstractItemModel& model) {
    QStringList texts;
    for (int column = 0; column < model.columnCount(); ++column)
        texts << model.headerData(column, Qt::Horizontal).toString();
    return texts;
}

// Runs start, which opens a modal dialog of class D, and hands the dialog to act, which closes
// it.
template <class D>
void RunModal(const std::function<void()>& start, const std::function<void(D&)>& act) {
    WhenModal<D> when(act);
    start();
    EXPECT_TRUE(when.seen());
}

// A package view of class View on a package written from text (UTF-8) into a folder of the
// test's own, shown and active; message boxes and file dialogs are answered by the test. A
// list view's Add and Edit open a Dialog.
template <class View, class Dialog = void> class PackageViewTest : public ::testing::Test {
protected:
    void open(const std::string& text) {
        path = dir.write("App.pkg", text);
        ASSERT_EQ(app.document.open(path, false), err::kOk);
        view.reset(create());
        view->resize(700, 400);
        view->show();
        view->activate();
    }

    // The view to test; a test of a view made by a factory says how.
    virtual View* create() {
        if constexpr (std::is_abstract_v<View>)
            return nullptr;
        else
            return new View(app, registry);
    }

    std::vector<QString> shownTexts() const {
        std::vector<QString> texts;
        for (const auto& shown : boxes.shown)
            texts.push_back(shown.text);
        return texts;
    }

    Package& package() { return *app.document.package(); }

    // D is never deduced: the lambdas given are not std::functions.
    template <class D = Dialog> void add(const std::type_identity_t<std::function<void(D&)>>& act) {
        RunModal<D>([this] { view->list()->add(); }, act);
    }
    // Selects exactly rows and removes them, answering the question; gives the texts shown.
    std::vector<QString> removeRows(const QList<int>& rows, ui::MessageAnswer answer) {
        QItemSelectionModel* selection = view->list()->table()->selectionModel();
        selection->clearSelection();
        for (int row : rows)
            selection->select(view->list()->model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        boxes.shown.clear();
        boxes.answers = {answer};
        view->list()->removeSelected();
        return shownTexts();
    }
    template <class D = Dialog>
    void edit(int row, const std::type_identity_t<std::function<void(D&)>>& act) {
        view->list()->selectRow(row);
        RunModal<D>([this] { view->list()->editSelected(); }, act);
    }

    TempDir dir;
    AppSettings settings{dir.file("user.conf"), dir.file("machine.conf"), dir.path().string()};
    ui::GuiBuildEvents events;
    Application app{settings, events, SdkList{}};
    ui::CommandRegistry registry;
    RecordingMessageBoxes boxes;
    AnsweringFileDialogs files;
    ModalWatchdog watchdog;
    std::string path;
    std::unique_ptr<View> view;
};

} // namespace tb::test
