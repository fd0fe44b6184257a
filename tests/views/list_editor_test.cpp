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

// Three rows "name N" / "target N" under Name and Target; what the editor asks for is recorded.
class ListEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.setHorizontalHeaderLabels({"Name", "Target"});
        for (int i = 0; i < 3; ++i)
            model.appendRow({new QStandardItem(QStringLiteral("name %1").arg(i)),
                             new QStandardItem(QStringLiteral("target %1").arg(i))});
        editor.setModel(&model);
        QObject::connect(&editor, &ListEditor::addRequested, [this] { ++adds; });
        QObject::connect(&editor, &ListEditor::editRequested, [this](int row) { edits << row; });
        QObject::connect(&editor, &ListEditor::removeRequested,
                         [this](const Rows& rows) { removals << rows; });
        editor.resize(400, 300);
        editor.show();
        QApplication::setActiveWindow(&editor);
        table->setFocus();
    }
    void select(const Rows& rows) {
        table->clearSelection();
        for (int row : rows)
            table->selectionModel()->select(model.index(row, 0), QItemSelectionModel::Select |
                                                                     QItemSelectionModel::Rows);
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        if (qt_sendShortcutOverrideEvent(table, 0, key, modifiers))
            return;
        QKeyEvent down(QEvent::KeyPress, key, modifiers), up(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(table, &down);
        QApplication::sendEvent(table, &up);
    }
    std::string menu(const QModelIndex& at) {
        QMenu shown;
        editor.fillContextMenu(shown, at);
        return test::Entries(shown);
    }

    test::RecordingMessageBoxes boxes;
    QStandardItemModel model;
    ListEditor editor{removal::Named(1)};
    QTreeView* table = editor.table();
    int adds = 0;
    Rows edits;
    QList<Rows> removals;
};

TEST_F(ListEditorTest, ButtonsAndContextMenuFollowTheSelection) {
    const struct {
        Rows selected;
        bool edit, remove;
        const char* rowMenu;
    } cases[] = {
        {{}, false, false, "+Add... "}, // a right click on a row selects it first
        {{1}, true, true, "+Edit... | +Remove +Add... "},
        {{0, 2}, false, true, "+Remove +Add... "},
    };
    for (const auto& c : cases) {
        select(c.selected);
        EXPECT_EQ(std::pair(editor.editButton()->isEnabled(), editor.removeButton()->isEnabled()),
                  std::pair(c.edit, c.remove))
            << c.selected.size();
        EXPECT_EQ(menu(model.index(1, 0)), c.rowMenu);
        EXPECT_EQ(menu(QModelIndex()), "+Add... ") << "below the rows";
    }
}

TEST_F(ListEditorTest, EditAndAddByButtonKeyAndDoubleClick) {
    editor.selectRow(2);
    editor.editButton()->click();
    press(Qt::Key_Return);
    emit table->doubleClicked(model.index(2, 0));
    EXPECT_EQ(edits, (Rows{2, 2, 2}));
    editor.addButton()->click();
    EXPECT_EQ(adds, 1);
}

// The views' tests check which question each view asks.
TEST_F(ListEditorTest, RemovalAsksOnceAndHandsOverTheRowsLastFirst) {
    press(Qt::Key_Delete);
    EXPECT_TRUE(boxes.shown.empty()) << "nothing selected, nothing asked";

    select({1});
    boxes.answers = {MessageAnswer::No};
    editor.removeSelected();
    select({0, 2});
    boxes.answers = {MessageAnswer::No, MessageAnswer::Yes};
    press(Qt::Key_Delete);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, "Are you sure you want to remove 'target 1' from the package?");
    EXPECT_EQ(boxes.shown[1].text,
              "Are you sure you want to remove the selected items from the package?");
    EXPECT_EQ(boxes.shown[1].buttons, ui::MessageButtons::YesNo);
    EXPECT_TRUE(removals.isEmpty()) << "No removes nothing";
    EXPECT_EQ(editor.selectedRows(), (Rows{0, 2})) << "and keeps the selection";
    editor.removeButton()->click();
    EXPECT_EQ(removals, QList<Rows>{(Rows{2, 0})});
    model.removeRow(2); // as the view does after a Yes
    EXPECT_EQ(editor.selectedRows(), Rows{0});
    model.clear(); // a refresh refills the rows
    EXPECT_FALSE(editor.editButton()->isEnabled() || editor.removeButton()->isEnabled());
}

} // namespace
} // namespace tb
