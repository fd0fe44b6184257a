#include "views/list_editor.h"
#include "views/removal_questions.h"
#include "views/view_fixture.h"

#include <QStandardItemModel>
#include <QTreeView>

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

std::string MenuEntries(ListEditor& editor, const QModelIndex& at) {
    QMenu menu;
    editor.fillContextMenu(menu, at);
    return test::Entries(menu);
}

class ListEditorTest : public ::testing::Test {
protected:
    // Three rows "name N" / "target N" under Name and Target.
    void SetUp() override {
        editor = std::make_unique<ListEditor>(removal::Named(1));
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
        const char* rowMenu;
    };
    const Case cases[] = {
        {{}, false, false, "+Add... "}, // a right click on a row selects it first
        {{1}, true, true, "+Edit... | +Remove +Add... "},
        {{0, 2}, false, true, "+Remove +Add... "},
    };
    for (const Case& c : cases) {
        select(c.selected);
        EXPECT_EQ(editor->selectedRows(), c.selected);
        EXPECT_EQ(editor->editButton()->isEnabled(), c.edit) << c.selected.size();
        EXPECT_EQ(editor->removeButton()->isEnabled(), c.remove) << c.selected.size();
        EXPECT_EQ(MenuEntries(*editor, cell(1)), c.rowMenu);
        EXPECT_EQ(MenuEntries(*editor, QModelIndex()), "+Add... ") << "below the rows";
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

// The views' tests check which question each view asks.
TEST_F(ListEditorTest, RemovalAsksOnceAndHandsOverTheRowsLastFirst) {
    PressKey(table(), Qt::Key_Delete);
    editor->removeSelected();
    EXPECT_TRUE(boxes.shown.empty()) << "nothing selected, nothing asked";

    select({1});
    boxes.answers = {MessageAnswer::No};
    editor->removeSelected();
    select({0, 2});
    boxes.answers = {MessageAnswer::No, MessageAnswer::Yes};
    PressKey(table(), Qt::Key_Delete);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, "Are you sure you want to remove 'target 1' from the package?");
    EXPECT_EQ(boxes.shown[1].text,
              "Are you sure you want to remove the selected items from the package?");
    EXPECT_EQ(boxes.shown[1].buttons, ui::MessageButtons::YesNo);
    EXPECT_TRUE(removals.isEmpty()) << "No removes nothing";
    EXPECT_EQ(editor->selectedRows(), (Rows{0, 2})) << "and keeps the selection";
    editor->removeButton()->click();
    EXPECT_EQ(removals, QList<Rows>{(Rows{2, 0})});
    EXPECT_EQ(model.rowCount(), 3) << "the view removes the rows, not the editor";

    model.removeRow(2); // as the view does after a Yes
    EXPECT_EQ(editor->selectedRows(), Rows{0});
    model.clear(); // a refresh refills the rows
    EXPECT_TRUE(editor->selectedRows().isEmpty());
    EXPECT_FALSE(editor->editButton()->isEnabled() || editor->removeButton()->isEnabled());
}

} // namespace
} // namespace tb
