// Random edits through the Designer: after each, the tree shows the package, and the package
// written and read back has the same tree.
#include "designer_fixture.h"

#include "views/designer/remove_dialog_choice.h"
#include "views/dialogs/condition_dialog.h"
#include "views/dialogs/install_file_dialog.h"

#include <random>

namespace tb::test {
namespace {

QList<QTreeWidgetItem*> Nodes(const QTreeWidget& tree) {
    return tree.findItems("*", Qt::MatchWildcard | Qt::MatchRecursive);
}

TEST_F(DesignerTest, RandomEditsKeepTreePackageAndFileInStep) {
    const std::string sis = dir.write("e.sis", std::string(16, '\x01'));
    int answered = 0; // conditions, null file names, the dialog removal
    Poll answers([&] {
        if (auto* condition = Modal<ConditionDialog>()) {
            condition->conditionBox()->setText(QStringLiteral("LANGUAGE = %1").arg(++answered));
            condition->okButton()->click();
        } else if (auto* file = Modal<InstallFileDialog>()) {
            file->nameBox()->setText(QStringLiteral("n%1.dat").arg(++answered));
            file->okButton()->click();
        } else if (auto* removal = Modal<RemoveDialogChoice>()) {
            removal->removeButton()->click();
        }
        return false;
    });
    boxes.defaultAnswer = ui::MessageAnswer::Yes;
    const AddAction kAdds[] = {
        AddAction::InstallFiles,   AddAction::OptionList,     AddAction::Option,  AddAction::Dialog,
        AddAction::IncludePackage, AddAction::ConditionBlock, AddAction::NullFile};
    std::mt19937 random(7);
    auto pick = [&](size_t count) {
        return std::uniform_int_distribution<size_t>(0, count - 1)(random);
    };
    std::string history;
    int made = 0;
    for (int step = 0; step < 200; ++step) {
        const QList<QTreeWidgetItem*> nodes = Nodes(tree);
        tree.selectNode(nodes[pick(size_t(nodes.size()))]);
        history += std::to_string(step) + " on " + selected() + ": ";
        // Adds outweigh removals, so the tree grows and nests.
        const size_t roll = pick(20);
        if (roll < 9) {
            const AddAction action = kAdds[pick(std::size(kAdds))];
            history += wideToUtf8(AddActionText(action));
            files.many = {QString::fromStdString(dir.file("f" + std::to_string(++made) + ".txt"))};
            files.answer = QString::fromStdString(
                action == AddAction::IncludePackage
                    ? sis
                    : dir.write("D" + std::to_string(made) + ".txt", "text"));
            // The button's rule lets option lists into options, beside their actions.
            view.runAddAction(action, pick(2) ? AddMenuPlace::ItemMenu : AddMenuPlace::Button,
                              true);
        } else if (roll < 11) {
            history += "branch";
            pick(2) ? view.addElse() : view.addElseIf();
        } else if (roll < 18) {
            const int command = pick(2) ? ui::cmd::kMoveUp : ui::cmd::kMoveDown;
            history += command == ui::cmd::kMoveUp ? "up" : "down";
            registry.execute(command);
        } else {
            history += "remove";
            view.removeSelected();
        }
        history += "\n";
        ASSERT_EQ(shown(), model()) << history;
        ASSERT_EQ(readBack(), model()) << history;
    }
    EXPECT_GT(Nodes(tree).size(), 30) << history;
}

} // namespace
} // namespace tb::test
