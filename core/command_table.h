#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// One slot of the command table: the fourteen stored fields, all text.
struct Command {
    QString name;
    QString code;
    QString typeAction;
    QString commandCombination;
    QString file;
    QString windowHandle;
    QString runAction;
    QString keyAdd;
    QString keyAdd1;
    QString key;
    QString mousePosX;
    QString mousePosY;
    QString pause;
    QString fileSound;

    bool operator==(const Command&) const = default;
};

// The in-memory command table: 31 slots (0 is the header, 1 to 30 the commands)
// and the captions of the command tree, of which the tree is a view. The fields of
// a slot may be filled without a node for it (the loader counts every key on its
// own), so slots and nodes are kept apart.
class CommandTable {
  public:
    static constexpr int kSlots = 31;
    static constexpr int kMaxCommands = 30;

    // Empties every field of every slot and removes all nodes.
    void clear();

    Command& slot(int index) { return slots_.at(index); }
    const Command& slot(int index) const { return slots_.at(index); }

    // Nodes of the tree: none, or the header followed by the commands.
    bool hasHeader() const { return hasHeader_; }
    int commandCount() const { return int(captions_.size()); }
    int nodeCount() const { return hasHeader_ ? 1 + commandCount() : 0; }

    void setHeader(const QString& caption);
    // Adds a command node; returns its slot, or -1 when there is no header or the
    // table is full.
    int addCommand(const QString& caption);

    // Caption of a node by its absolute index (0 is the header).
    QString caption(int node) const;
    void setCaption(int node, const QString& caption);

    // Slots whose `name` equals the text exactly, in slot order.
    QList<int> findByName(const QString& name) const;

  private:
    std::array<Command, kSlots> slots_;
    bool hasHeader_ = false;
    QString headerCaption_;
    QStringList captions_;
};
