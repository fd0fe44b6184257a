#include "ui/node_tree.h"

#include <QBoxLayout>

namespace tb::ui {

QTreeWidgetItem* NodeTree::selectedNode() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

void NodeTree::selectNode(QTreeWidgetItem* node) {
    if (!node) {
        clearSelection();
        return;
    }
    setCurrentItem(node);
    node->setSelected(true);
    scrollToItem(node);
}

void LayOutTreeAndButtons(QWidget& page, QWidget* tree, std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* button : buttons)
        row->addWidget(button);
    auto* layout = new QVBoxLayout(&page);
    layout->addWidget(tree, 1);
    layout->addLayout(row);
}

} // namespace tb::ui
