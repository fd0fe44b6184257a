#include "support/gui_doubles.h"
#include "ui/command_registry.h"
#include "ui/item_views.h"
#include "ui/message_box.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QStandardItemModel>
#include <QTreeView>

#include <gtest/gtest.h>

namespace tb::ui {
namespace {

using Ids = std::vector<int>;

TEST(CommandRegistryTest, HandlersInOrderUntilOneTakesIt) {
    CommandRegistry registry;
    test::CommandLog first{cmd::kSave}, second{cmd::kBuild};
    registry.addHandler(&first);
    registry.addHandler(&second);
    EXPECT_TRUE(registry.execute(cmd::kSave) && registry.execute(cmd::kBuild));
    EXPECT_EQ(std::pair(first.ids, second.ids),
              std::pair(Ids{cmd::kSave, cmd::kBuild}, Ids{cmd::kBuild}));
    EXPECT_FALSE(registry.execute(cmd::kOpen));

    registry.setEnabled(cmd::kSave, false);
    first.ids.clear();
    EXPECT_FALSE(registry.execute(cmd::kSave));
    EXPECT_TRUE(first.ids.empty()) << "a disabled command runs nothing";
}

TEST(CommandRegistryTest, ActionsShareStateAndPostRunsLater) {
    CommandRegistry registry;
    test::CommandLog handler;
    registry.addHandler(&handler);

    QAction* action = registry.action(cmd::kNew);
    EXPECT_EQ(registry.action(cmd::kNew), action) << "one action per command";
    registry.setEnabled(cmd::kNew, false);
    EXPECT_FALSE(action->isEnabled());
    registry.setEnabled(cmd::kNew, true);
    action->trigger();
    EXPECT_EQ(handler.ids.size(), 1u);

    registry.post(cmd::kNew);
    EXPECT_EQ(handler.ids.size(), 1u) << "posted commands wait for the event loop";
    QApplication::processEvents();
    EXPECT_EQ(handler.ids, (Ids{cmd::kNew, cmd::kNew}));
    EXPECT_FALSE(registry.isEnabled(cmd::kLast + 1));
}

TEST(ItemViewsTest, ColumnWidthsRoundTripAndFallBack) {
    QStandardItemModel model(0, 3);
    QTreeView view;
    view.setModel(&model);
    ApplyColumnWidths(&view, {120, 80, 200}, {50, 50, 50});
    EXPECT_EQ(ColumnWidths(&view), (std::vector<uint32_t>{120, 80, 200}));
    ApplyColumnWidths(&view, {10, 20}, {60, 70, 90}); // stored list of the wrong length
    EXPECT_EQ(ColumnWidths(&view), (std::vector<uint32_t>{60, 70, 90}));
}

TEST(MessageBoxTest, CentredOnOwnerAndKeptOnScreen) {
    QWidget owner;
    owner.setGeometry(100, 100, 400, 300);
    QWidget box;
    box.resize(100, 50);
    CentreOnOwner(&box, &owner);
    EXPECT_NEAR(box.frameGeometry().center().x(), owner.frameGeometry().center().x(), 1);
    EXPECT_NEAR(box.frameGeometry().center().y(), owner.frameGeometry().center().y(), 1);

    owner.move(-1000, -1000); // owner far off screen: the box stays inside the work area
    CentreOnOwner(&box, &owner);
    QRect area = box.screen()->availableGeometry();
    EXPECT_GE(box.frameGeometry().left(), area.left());
    EXPECT_GE(box.frameGeometry().top(), area.top());
}

} // namespace
} // namespace tb::ui
