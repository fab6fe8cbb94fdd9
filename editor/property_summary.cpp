#include "editor/property_summary.h"

#include "core/number_text.h"
#include "core/vocabulary.h"

namespace PropertySummary {

namespace {

const QString kBlank = QStringLiteral(" ");

QString line(const QString& caption, const QString& value) {
    return kBlank + caption + kBlank + value;
}

QString shown(const QStringList& items, int position) {
    return items.value(position);
}

QString marker(int n) {
    return QString::number(n) + QLatin1Char('.');
}

void typeAndActionLines(const Command& c, const Captions& cap, const ListItems& items,
                        ListPositions& lists, QStringList& out) {
    namespace V = Vocabulary;
    const QString& type = c.typeAction;
    lists.type = V::actionTypes().indexOf(type);
    const QString typeLine = line(cap.typeAction, shown(items.types, lists.type));
    if (type == V::kRunCommand) {
        lists.run = V::runActions().indexOf(c.runAction);
        out << typeLine;
        if (c.runAction != V::kPauseAction) {
            out << line(cap.action, shown(items.runActions, lists.run));
        }
    } else if (type == V::kCombinationCommand || type == V::kKeyControl) {
        out << typeLine;
    } else if (type == V::kMouseControl) {
        lists.mouse = V::mouseActions().indexOf(c.runAction);
        out << typeLine;
        if (c.runAction != V::kMouseOnPosition && c.runAction != V::kMouseOnWindowPosition) {
            out << line(cap.action, shown(items.mouseActions, lists.mouse));
        }
    }
    if (!c.mousePosX.isEmpty() || !c.mousePosY.isEmpty()) {
        out << kBlank + shown(items.mouseActions, lists.mouse) + kBlank + QStringLiteral(" Х = ") +
                   c.mousePosX + QStringLiteral("; Y = ") + c.mousePosY;
    }
    if (type == V::kVolumeControl) {
        lists.volume = V::volumeActions().indexOf(c.runAction);
        out << typeLine << line(cap.action, shown(items.volumeActions, lists.volume));
    } else if (type == V::kPcControl) {
        lists.computer = V::computerActions().indexOf(c.runAction);
        out << typeLine << line(cap.action, shown(items.computerActions, lists.computer));
    }
}

}  // namespace

ListItems ListItems::builtIn() {
    namespace V = Vocabulary;
    return {V::actionTypes().captions, V::runActions().captions, V::volumeActions().captions,
            V::computerActions().captions, V::mouseActions().captions};
}

QString secondsText(int milliseconds, QChar decimalSeparator) {
    QString text = QString::number(milliseconds / 1000.0, 'g', 15);
    text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

QStringList combinationLines(const QString& list, const QString& winComCaption) {
    QStringList out;
    const QString indent(31, QLatin1Char(' '));
    const int first = list.indexOf(marker(1));
    const int second = list.indexOf(marker(2));
    QString firstLine = kBlank + winComCaption + kBlank + kBlank;
    if (second >= 0) {
        firstLine += list.mid(qMax(first, 0), second - qMax(first, 0));
    }
    out << firstLine;
    for (int n = 2; n <= 30; ++n) {
        const int at = list.indexOf(marker(n));
        const int next = list.indexOf(marker(n + 1));
        if (next >= 0) {
            out << indent + list.mid(qMax(at, 0), next - qMax(at, 0));
            continue;
        }
        out << indent + list.mid(qMax(at, 0), 25);
        break;
    }
    return out;
}

Result build(const Command& c, const Captions& cap, const ListItems& items, ListPositions& lists,
             QChar decimalSeparator) {
    Result result;
    QStringList& out = result.lines;
    out << QString() << QString();
    if (!c.code.isEmpty()) {
        out << line(cap.code, c.code);
    }
    if (!c.typeAction.isEmpty()) {
        typeAndActionLines(c, cap, items, lists, out);
    }
    if (!c.pause.isEmpty()) {
        const std::optional<int> ms = NumberText::toInt(c.pause);
        if (!ms) {
            result.error = NumberText::invalidIntegerMessage(c.pause);
            return result;
        }
        out << line(cap.action, cap.pause.trimmed() + kBlank + secondsText(*ms, decimalSeparator) +
                                    kBlank + cap.seconds);
    }
    if (!c.file.isEmpty()) {
        out << line(cap.applFile, c.file);
    }
    const bool combination = c.typeAction == Vocabulary::kCombinationCommand;
    if (!c.windowHandle.isEmpty() && !combination) {
        out << line(cap.winCom, c.windowHandle);
    }
    if (combination) {
        out << combinationLines(c.commandCombination, cap.winCom);
    }
    if (!c.keyAdd.isEmpty() || !c.key.isEmpty()) {
        out << line(cap.key, c.keyAdd + c.keyAdd1 + c.key);
    }
    if (!c.fileSound.isEmpty()) {
        out << line(cap.playSound, c.fileSound);
    }
    return result;
}

}  // namespace PropertySummary
