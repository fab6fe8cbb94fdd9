#include "core/command_table.h"

void CommandTable::clear() {
    slots_.fill(Command());
    hasHeader_ = false;
    headerCaption_.clear();
    captions_.clear();
}

void CommandTable::setHeader(const QString& caption) {
    hasHeader_ = true;
    headerCaption_ = caption;
}

int CommandTable::addCommand(const QString& caption) {
    if (!hasHeader_ || commandCount() >= kMaxCommands) {
        return -1;
    }
    captions_.append(caption);
    return commandCount();
}

QString CommandTable::caption(int node) const {
    if (node == 0) {
        return headerCaption_;
    }
    return captions_.value(node - 1);
}

void CommandTable::setCaption(int node, const QString& caption) {
    if (node == 0) {
        headerCaption_ = caption;
    } else if (node >= 1 && node <= commandCount()) {
        captions_[node - 1] = caption;
    }
}

QList<int> CommandTable::findByName(const QString& name) const {
    QList<int> found;
    for (int i = 0; i < kSlots; ++i) {
        if (slots_[i].name == name) {
            found.append(i);
        }
    }
    return found;
}
