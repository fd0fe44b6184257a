#pragma once

#include "document/app_settings.h"
#include "document/application.h"
#include "model/item_sequence.h"
#include "model/package.h"
#include "support/gui_doubles.h"
#include "support/modal_dialogs.h"
#include "support/qt_printers.h"
#include "support/recording_message_boxes.h"
#include "support/temp_dir.h"
#include "support/typing.h"
#include "ui/command_registry.h"
#include "ui/gui_build_events.h"
#include "util/error_code.h"
#include "util/text_convert.h"
#include "views/dialogs/select_target_folder_dialog.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace tb::test {

// The texts of a model row, column by column.
inline QStringList RowCells(const QAbstractItemModel& model, int row) {
    QStringList cells;
    for (int column = 0; column < model.columnCount(); ++column)
        cells << model.index(row, column).data().toString();
    return cells;
}

// The tree in one line: "name{child,child},sibling".
inline std::string TreeText(const QTreeWidgetItem* parent) {
    std::string text;
    for (int i = 0; i < parent->childCount(); ++i) {
        const QTreeWidgetItem* child = parent->child(i);
        text += (i ? "," : "") + child->text(0).toStdString();
        if (child->childCount())
            text += "{" + TreeText(child) + "}";
    }
    return text;
}

inline std::string TreeText(const QTreeWidget& tree) {
    return TreeText(tree.invisibleRootItem());
}

// The node reached through the texts of path from a top-level node; null when there is none.
inline QTreeWidgetItem* Node(const QTreeWidget& tree, const QStringList& path) {
    const QTreeWidgetItem* at = tree.invisibleRootItem();
    for (const QString& name : path) {
        const QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < at->childCount() && !next; ++i)
            if (at->child(i)->text(0) == name)
                next = at->child(i);
        if (!next)
            return nullptr;
        at = next;
    }
    return const_cast<QTreeWidgetItem*>(at);
}

// Entries of a menu: "+Text" enabled, "-Text" disabled, "|" a separator, "Text[...]" a
// submenu's.
inline std::string Entries(const QMenu& menu) {
    std::string text;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            text += "| ";
            continue;
        }
        text += (action->isEnabled() ? "+" : "-") + action->text().toStdString();
        if (action->menu())
            text += "[" + Entries(*action->menu()) + "]";
        text += " ";
    }
    return text;
}

inline QStringList ComboTexts(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

// Answers the next Select Target Folder dialog with the top-level folder of that name.
inline WhenModal<SelectTargetFolderDialog> ChooseTopFolder(const QString& name) {
    return WhenModal<SelectTargetFolderDialog>([name](SelectTargetFolderDialog& d) {
        d.limitBox()->setChecked(false);
        QTreeWidget* tree = d.folderTree();
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            if (tree->topLevelItem(i)->text(0) == name)
                tree->setCurrentItem(tree->topLevelItem(i));
        d.okButton()->click();
    });
}

// Answers the file choosers: several files at once from many, else one file from answer.
struct ChosenFiles : AnsweringFileDialogs {
    QStringList openFiles(QWidget* owner, const QString& title, const QString& filter,
                          const QString& folder) override {
        if (many.isEmpty())
            return AnsweringFileDialogs::openFiles(owner, title, filter, folder);
        asked = {title, filter, folder};
        return many;
    }
    QStringList many;
};

// What the document announces: a letter per package part changed ("HLPDNB": Header, Logo...),
// per item changed ("ACRM": Added, Changed, Removed, Moved; lower case when not by the Phone
// View) and "(" and ")" around an edit batch.
struct DocumentLog : DocumentListener {
    void packageChanged(const PackageChange& change) override {
        seen += "HLPDNB"[int(change.kind)];
    }
    void itemChanged(const ItemChange& change) override {
        seen += (change.source == ItemChangeSource::Phone ? "ACRM" : "acrm")[int(change.type)];
    }
    void editBatchStarted() override { seen += "("; }
    void editBatchEnded() override { seen += ")"; }
    std::string seen;
};

// The application in a folder of the test's own; message boxes and file dialogs are answered
// by the test and a dialog nobody answers cannot hang it.
class AppTest : public ::testing::Test {
protected:
    AppTest() { events.setController(&app.buildController); }

    Package& package() { return *app.document.package(); }
    // Every file target of the package in sequence order, one per line.
    std::string targets() {
        std::string text;
        for (const InstallItem* item : CollectFileItems(package().items))
            text += wideToUtf8(itemAs<FileItemBase>(item)->target) + "\n";
        return text;
    }
    std::vector<QString> shownTexts() const {
        std::vector<QString> texts;
        for (const auto& shown : boxes.shown)
            texts.push_back(shown.text);
        return texts;
    }

    TempDir dir;
    AppSettings settings{dir.file("user.conf"), dir.file("machine.conf"), dir.path().string()};
    ui::GuiBuildEvents events;
    Application app{settings, events, SdkList{}};
    PackageDocument& document = app.document;
    ui::CommandRegistry registry;
    RecordingMessageBoxes boxes;
    ChosenFiles files;
    ModalWatchdog watchdog;
};

using Table = std::vector<QStringList>;

// A view of class View on a package written from text into App/ of the test's folder, shown and
// active unless told not to. A list view is made by Factory; its Add and Edit open a Dialog.
template <class View, class Dialog = QDialog, auto Factory = nullptr>
class PackageViewTest : public AppTest {
protected:
    void open(const std::string& text, bool show = true) {
        ASSERT_EQ(document.open(dir.write("App/App.pkg", text), false), err::kOk);
        if (!view) {
            if constexpr (std::is_null_pointer_v<decltype(Factory)>)
                view = std::make_unique<View>(app, registry, nullptr);
            else
                view.reset(static_cast<View*>(Factory(app, registry, nullptr)));
        }
        if (show) {
            view->show();
            view->activate();
        }
    }
    // Saves, so that the modified flag tells what comes after.
    void save() { ASSERT_EQ(document.save(), err::kOk); }
    // A list view's rows, the texts of each.
    Table table() const {
        Table rows;
        for (int row = 0; row < view->list()->model()->rowCount(); ++row)
            rows.push_back(RowCells(*view->list()->model(), row));
        return rows;
    }

    // Runs start, which opens a modal dialog of class D, and hands it to act, which closes it.
    template <class D>
    void runModal(const std::function<void()>& start, const std::function<void(D&)>& act) {
        WhenModal<D> when(act);
        start();
        EXPECT_TRUE(when.seen());
    }
    void add(const std::function<void(Dialog&)>& act) {
        runModal<Dialog>([this] { view->list()->add(); }, act);
    }
    void edit(int row, const std::function<void(Dialog&)>& act) {
        view->list()->selectRow(row);
        runModal<Dialog>([this] { view->list()->editSelected(); }, act);
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

    std::unique_ptr<View> view;
};

} // namespace tb::test
