#pragma once

#include <QPushButton>
#include <QTreeWidget>

#include <initializer_list>

namespace tb::ui {

// A tree of nodes with one selected at a time, as the editor views show them.
class NodeTree : public QTreeWidget {
    Q_OBJECT
public:
    using QTreeWidget::QTreeWidget;

    // The selected node; null when none is.
    QTreeWidgetItem* selectedNode() const;
    // Selects node (and makes it current and visible); null clears the selection.
    void selectNode(QTreeWidgetItem* node);
};

// Lays page out as the tree views are: the tree above, the buttons at the bottom right.
void LayOutTreeAndButtons(QWidget& page, QWidget* tree, std::initializer_list<QPushButton*> buttons);

} // namespace tb::ui
