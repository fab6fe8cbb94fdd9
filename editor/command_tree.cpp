#include "editor/command_tree.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>

#include "core/command_table.h"

TCommandTree::TCommandTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("TreeView1"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setIndentation(19);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(16, 16));
    picture_[0] = QIcon(QStringLiteral(":/quenda/icons/tree0.png"));
    picture_[1] = QIcon(QStringLiteral(":/quenda/icons/tree1.png"));
    connect(this, &QTreeWidget::currentItemChanged, this, &TCommandTree::updatePictures);
}

void TCommandTree::rebuild(const CommandTable& table) {
    const QSignalBlocker block(this);
    clear();
    if (!table.hasHeader()) {
        return;
    }
    auto* root = new QTreeWidgetItem(this, QStringList{table.caption(0)});
    for (int k = 1; k <= table.commandCount(); ++k) {
        new QTreeWidgetItem(root, QStringList{table.caption(k)});
    }
    root->setExpanded(true);
    if (table.commandCount() > 0) {
        setCurrentItem(root);  // loading leaves the header selected
    }
    updatePictures();
}

int TCommandTree::nodeCount() const {
    return topLevelItemCount() == 0 ? 0 : 1 + topLevelItem(0)->childCount();
}

int TCommandTree::selectedIndex() const {
    const QTreeWidgetItem* item = currentItem();
    if (!item) {
        return -1;
    }
    return item->parent() ? item->parent()->indexOfChild(const_cast<QTreeWidgetItem*>(item)) + 1
                          : 0;
}

QTreeWidgetItem* TCommandTree::nodeAt(int index) const {
    if (index < 0 || index >= nodeCount()) {
        return nullptr;
    }
    QTreeWidgetItem* root = topLevelItem(0);
    return index == 0 ? root : root->child(index - 1);
}

void TCommandTree::selectIndex(int index) {
    if (QTreeWidgetItem* item = nodeAt(index)) {
        setCurrentItem(item);
    }
}

// Only the nodes whose picture changes are touched: every change of an item's
// picture is a change of the model that the view handles.
void TCommandTree::updatePictures() {
    for (int i = 0; i < nodeCount(); ++i) {
        QTreeWidgetItem* item = nodeAt(i);
        const bool first = i == 0 || item == currentItem();
        const QIcon& picture = picture_[first ? 0 : 1];
        if (item->icon(0).cacheKey() != picture.cacheKey()) {
            item->setIcon(0, picture);
        }
    }
}

void TCommandTree::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        if (QTreeWidgetItem* item = itemAt(event->position().toPoint())) {
            setCurrentItem(item);
        }
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void TCommandTree::contextMenuEvent(QContextMenuEvent* event) {
    Q_EMIT contextMenuWanted(event->globalPos());
}
