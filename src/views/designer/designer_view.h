#pragma once

#include "editing/add_action_rules.h"
#include "editing/item_place.h"
#include "views/view_page.h"

#include <memory>

class QMenu;
class QPushButton;
class QTreeWidgetItem;

namespace tb {

class SequenceTree;

// The installation sequence as a tree, and the only place where all of it is edited: add
// actions (the "Add Action" button, the context menus and the window's Insert menu), editing
// by node kind, removal, and the tool bar's Move Up and Move Down. The tree follows every edit
// in place, its own and the other views'.
class DesignerView : public ViewPage {
    Q_OBJECT
public:
    DesignerView(Application& app, ui::CommandRegistry& registry, QWidget* parent = nullptr);
    ~DesignerView() override;

    SequenceTree* tree() const { return tree_; }
    QPushButton* addButton() const { return addButton_; }
    QPushButton* editButton() const { return editButton_; }
    QPushButton* removeButton() const { return removeButton_; }

    // What the enabling rules read now.
    SequenceState state() const;

    // The add actions on the selected node; each does nothing where its rule does not allow
    // it at place. fromFile picks the dialog's "From File..." over "New...".
    void runAddAction(AddAction action, AddMenuPlace place = AddMenuPlace::Button,
                      bool fromFile = false);
    void addElseIf();
    void addElse();
    // The buttons' (and keys', menus') actions on the selected node.
    void editSelected();
    void removeSelected();
    void moveSelected(bool up);
    bool canMove(bool up) const;

    // The menus as a right click on the selected node shows them: the item menu, or the
    // add-action menu (place ContextMenu); and the add-action menu of place into menu.
    void fillContextMenu(QMenu& menu);
    void fillAddActionMenu(QMenu& menu, AddMenuPlace place);

    void itemChanged(const ItemChange& change) override;
    void packageChanged(const PackageChange& change) override;

protected:
    void refresh() override;
    // The tree is built again each time the view is shown.
    bool needsRefresh() const override { return true; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditOrigin origin() const { return {ItemChangeSource::Sequence, changeOrigin()}; }
    size_t language() const;
    void claimCommands();
    void updateControls();
    void showContextMenu(const QPoint& at);
    void doubleClicked(QTreeWidgetItem* node);

    // designer_add_actions.cpp
    // Puts item at place, shows and selects its node (the one of select when given); the
    // placed item or null.
    InstallItem* place(std::unique_ptr<InstallItem> item, ItemPlace where,
                       InstallItem* select = nullptr);
    void addFiles(bool launch);
    void addOptionList();
    void addOption();
    void addDialogFromFile();
    void addIncludePackage();
    void addConditionBlock();
    void addNullFile();

    // designer_edits.cpp
    bool editItem(InstallItem& item);
    bool editCondition(ConditionBranchItem& branch);
    // Takes item out of the package (with its text files when asked: a dialog) and its nodes
    // out of the tree.
    void remove(InstallItem& item, bool deleteTextFiles);

    SequenceTree* tree_;
    QPushButton* addButton_;
    QPushButton* editButton_;
    QPushButton* removeButton_;
    QMenu* addMenu_;
    bool multilingual_ = false;
};

// The Designer view, a child of parent.
ViewPage* CreateDesignerView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

} // namespace tb
