#pragma once

#include <QTreeWidget>

class CommandTable;

// The command tree TreeView1: a view of the table with the header as the only root
// and one child per command. The selected node is drawn with picture 0, the header
// with picture 0, every other command with picture 1.
class TCommandTree : public QTreeWidget {
    Q_OBJECT
  public:
    explicit TCommandTree(QWidget* parent = nullptr);

    // Replaces every node with the nodes of the table and expands the header.
    void rebuild(const CommandTable& table);
    int nodeCount() const;
    // Absolute index of the selected node (0 the header, k the k-th command), -1 when none.
    int selectedIndex() const;
    void selectIndex(int index);
    QTreeWidgetItem* nodeAt(int index) const;

  Q_SIGNALS:
    // A right click has selected the node under the mouse; the context menu follows.
    void contextMenuWanted(const QPoint& globalPos);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void updatePictures();
    QIcon picture_[2];
};
