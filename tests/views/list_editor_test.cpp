#include "support/qt_printers.h"
#include "support/recording_message_boxes.h"
#include "views/list_editor.h"
#include "views/removal_questions.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>

#include <gtest/gtest.h>

// Qt's own key delivery tries shortcuts first; QTest does the same through this.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k,
                                               Qt::KeyboardModifiers mods,
                                               const QString& text = QString(),
                                               bool autorep = false, ushort count = 1);

namespace tb {
namespace {

using ui::MessageAnswer;
using Rows = QList<int>;

void PressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    if (qt_sendShortcutOverrideEvent(widget, 0, key, modifiers))
        return;
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

QStringList MenuTexts(ListEditor& editor, const QModelIndex& at) {
    QMenu menu;
    editor.fillContextMenu(menu, at);
    QStringList texts;
    for (QAction* action : menu.actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

class ListEditorTest : public ::testing::Test {
protected:
    void SetUp() override { use(removal::Named(1)); }

    // Three rows "name N" / "target N" under Name and Target.
    void use(RemovalQuestion question) {
        editor = std::make_unique<ListEditor>(std::move(question));
        model.clear();
        model.setHorizontalHeaderLabels({"Name", "Target"});
        for (int i = 0; i < 3; ++i)
            model.appendRow({new QStandardItem(QStringLiteral("name %1").arg(i)),
                             new QStandardItem(QStringLiteral("target %1").arg(i))});
        editor->setModel(&model);
        QObject::connect(editor.get(), &ListEditor::addRequested, [this] { ++adds; });
        QObject::connect(editor.get(), &ListEditor::editRequested,
                         [this](int row) { edits << row; });
        QObject::connect(editor.get(), &ListEditor::removeRequested,
                         [this](const Rows& rows) { removals << rows; });
        editor->resize(400, 300);
        editor->show();
        QApplication::setActiveWindow(editor.get());
        editor->table()->setFocus();
    }
    void select(const Rows& rows) {
        editor->table()->clearSelection();
        for (int row : rows)
            editor->table()->selectionModel()->select(
                model.index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QTreeView* table() const { return editor->table(); }
    QModelIndex cell(int row) const { return model.index(row, 0); }

    test::RecordingMessageBoxes boxes;
    QStandardItemModel model;
    std::unique_ptr<ListEditor> editor;
    int adds = 0;
    Rows edits;
    QList<Rows> removals;
};

TEST_F(ListEditorTest, ButtonsAndContextMenuFollowTheSelection) {
    struct Case {
        Rows selected;
        bool edit, remove;
        QStringList rowMenu;
    };
    const Case cases[] = {
        {{}, false, false, {"Add..."}}, // a right click on a row selects it first
        {{1}, true, true, {"Edit...", "-", "Remove", "Add..."}},
        {{0, 2}, false, true, {"Remove", "Add..."}},
        {{0, 1, 2}, false, true, {"Remove", "Add..."}},
    };
    for (const Case& c : cases) {
        select(c.selected);
        EXPECT_EQ(editor->selectedRows(), c.selected);
        EXPECT_EQ(editor->editButton()->isEnabled(), c.edit) << c.selected.size();
        EXPECT_EQ(editor->removeButton()->isEnabled(), c.remove) << c.selected.size();
        EXPECT_TRUE(editor->addButton()->isEnabled());
        EXPECT_EQ(MenuTexts(*editor, cell(1)), c.rowMenu);
        EXPECT_EQ(MenuTexts(*editor, QModelIndex()), QStringList{"Add..."}) << "below the rows";
    }
}

TEST_F(ListEditorTest, EditAddAndSelectAllByButtonKeyAndDoubleClick) {
    editor->selectRow(2);
    editor->editButton()->click();
    PressKey(table(), Qt::Key_Return);
    PressKey(table(), Qt::Key_Enter);
    emit table()->doubleClicked(cell(2));
    EXPECT_EQ(edits, (Rows{2, 2, 2, 2}));

    PressKey(table(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(editor->selectedRows(), (Rows{0, 1, 2}));
    EXPECT_FALSE(editor->editButton()->isEnabled());
    PressKey(table(), Qt::Key_Return);
    editor->editSelected();
    EXPECT_EQ(edits.size(), 4) << "no edit with several rows";

    editor->addButton()->click();
    EXPECT_EQ(adds, 1);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ListEditorTest, RemovalAsksTheViewsQuestionOnceAndHandsOverTheRowsLastFirst) {
    struct Case {
        const char* view;
        RemovalQuestion question;
        Rows selected;
        QString asked;
    };
    const Case cases[] = {
        {"File Overview",
         removal::Named(1),
         {1},
         "Are you sure you want to remove 'target 1' from the package?"},
        {"Dependencies",
         removal::Named(0),
         {2},
         "Are you sure you want to remove 'name 2' from the package?"},
        {"File Overview",
         removal::Named(1),
         {0, 2},
         "Are you sure you want to remove the selected items from the package?"},
        {"Properties",
         removal::Properties(),
         {0},
         "Are you sure you want to remove property from the package?"},
        {"Properties",
         removal::Properties(),
         {0, 1, 2},
         "Are you sure you want to remove the selected properties from the package?"},
    };
    for (const Case& c : cases) {
        use(c.question);
        removals.clear();
        boxes.shown.clear();
        select(c.selected);
        boxes.answers = {MessageAnswer::No};
        PressKey(table(), Qt::Key_Delete);
        ASSERT_EQ(boxes.shown.size(), 1u) << c.view;
        EXPECT_EQ(boxes.shown[0].text, c.asked) << c.view;
        EXPECT_EQ(boxes.shown[0].buttons, ui::MessageButtons::YesNo);
        EXPECT_EQ(boxes.shown[0].icon, ui::MessageIcon::Question);
        EXPECT_TRUE(removals.isEmpty()) << "No removes nothing";
        EXPECT_EQ(editor->selectedRows(), c.selected) << "and keeps the selection";

        boxes.answers = {MessageAnswer::Yes};
        editor->removeButton()->click();
        Rows lastFirst(c.selected.rbegin(), c.selected.rend());
        EXPECT_EQ(removals, QList<Rows>{lastFirst}) << c.view;
        EXPECT_EQ(model.rowCount(), 3) << "the view removes the rows, not the editor";
    }
}

TEST_F(ListEditorTest, NothingSelectedNothingAskedAndModelChangesUpdateTheButtons) {
    select({});
    PressKey(table(), Qt::Key_Delete);
    editor->removeSelected();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(removals.isEmpty());

    editor->selectRow(1);
    model.removeRow(1); // as the view does after a Yes
    EXPECT_TRUE(editor->selectedRows().isEmpty());
    EXPECT_FALSE(editor->removeButton()->isEnabled());
    editor->selectRow(0);
    model.clear(); // a refresh refills the rows
    EXPECT_FALSE(editor->editButton()->isEnabled());
    EXPECT_FALSE(editor->removeButton()->isEnabled());
    EXPECT_TRUE(editor->selectedRows().isEmpty());
}

} // namespace
} // namespace tb
