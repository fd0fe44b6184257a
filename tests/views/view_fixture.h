#pragma once

#include "document/app_settings.h"
#include "document/application.h"
#include "support/gui_doubles.h"
#include "support/modal_dialogs.h"
#include "support/qt_printers.h"
#include "support/recording_message_boxes.h"
#include "support/temp_dir.h"
#include "support/typing.h"
#include "ui/command_registry.h"
#include "ui/gui_build_events.h"
#include "util/error_code.h"
#include "views/dialogs/select_target_folder_dialog.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tb::test {

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

// The application in a folder of the test's own; message boxes and file dialogs are answered
// by the test and a dialog nobody answers cannot hang it.
class AppTest : public ::testing::Test {
protected:
    AppTest() { events.setController(&app.buildController); }

    Package& package() { return *app.document.package(); }
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

} // namespace tb::test
