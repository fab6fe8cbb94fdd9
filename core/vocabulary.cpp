#include "core/vocabulary.h"

namespace {

// The built-in items of the action lists are padded with blanks to a common length.
QStringList padded(const QStringList& captions, int length) {
    QStringList out;
    for (const QString& caption : captions) {
        out << caption.leftJustified(length, QLatin1Char(' '));
    }
    return out;
}

}  // namespace

namespace Vocabulary {

const List& actionTypes() {
    static const List list{{"Run command", "Combination command", "Key control", "Mouse control",
                            "Volume control", "PC control"},
                           {"Выполнение команды", "Комбинация команд", "Управление клавишами",
                            "Управление мышью", "Управление громкостью", "Управление компьютером"}};
    return list;
}

const List& runActions() {
    static const List list{
        {"Open", "Close", "Minimize", "Maximize", "Active", "Timer", "Pause:"},
        padded({"Открыть", "Закрыть", "Свернуть", "Развернуть", "Активировать", "Таймер", "Пауза:"},
               13)};
    return list;
}

const List& volumeActions() {
    static const List list{
        {"Up", "Down", "Mute", "Fixed", "Left channel up", "Right channel up", "Left channel down",
         "Right channel down"},
        padded({"Увеличить", "Уменьшить", "Приглушить", "Зафиксировать", "Увеличить левый канал",
                "Увеличить правый канал", "Уменьшить левый канал", "Уменьшить правый канал"},
               22)};
    return list;
}

const List& computerActions() {
    static const List list{{"Shutdown", "Reboot"}, padded({"Выключить", "Перезагрузить"}, 13)};
    return list;
}

const List& mouseActions() {
    static const List list = [] {
        List l{
            {"Up", "Down", "Left", "Left top", "Left down", "Right", "Right top", "Right down",
             "Mouse on position:", "Mouse on position for windows:", "Left button click",
             "Left button twice click", "Right button click", "Right button twice click",
             "Move: continuously/on step", "Left button click & left", "Left button click & right",
             "Left button click & top", "Left button click & bottom"},
            padded({"Вверх", "Вниз", "Влево", "Влево вверх", "Влево вниз", "Вправо", "Вправо вверх",
                    "Вправо вниз", "Мышь на позицию:", "Мышь на позицию относительно окна:",
                    "Нажать левую кнопку", "Нажать левую кнопку дважды", "Нажать правую кнопку",
                    "Нажать правую кнопку дважды", "Движение: непрерывно/по шагам",
                    "Нажать левую кнопку и влево", "Нажать левую кнопку и вправо",
                    "Нажать левую кнопку и вверх", "Нажать левую кнопку и ввниз"},
                   30)};
        l.captions[9] = l.captions[9].leftJustified(49, QLatin1Char(' '));
        return l;
    }();
    return list;
}

const QStringList& modifiers() {
    static const QStringList list{"Shift+", "Ctrl+", "Alt+"};
    return list;
}

const QStringList& keyNames() {
    static const QStringList list{"A",
                                  "B",
                                  "Backspace",
                                  "C",
                                  "Cancel",
                                  "Caps Lock",
                                  "D",
                                  "Delete",
                                  "Down",
                                  "E",
                                  "End",
                                  "Enter",
                                  "Esc",
                                  "F",
                                  "F1",
                                  "F2",
                                  "F3",
                                  "F4",
                                  "F5",
                                  "F6",
                                  "F7",
                                  "F8",
                                  "F9",
                                  "F10",
                                  "F11",
                                  "F12",
                                  "G",
                                  "H",
                                  "Home",
                                  "I",
                                  "Insert",
                                  "J",
                                  "K",
                                  "L",
                                  "Left",
                                  "Left mouse",
                                  "Left mouse double click",
                                  "Left Windows",
                                  "M",
                                  "Middle mouse",
                                  "N",
                                  "Num Lock",
                                  "O",
                                  "P",
                                  "Page Down",
                                  "Page Up",
                                  "Q",
                                  "R",
                                  "Right",
                                  "Right mouse",
                                  "Right Windows",
                                  "S",
                                  "Space",
                                  "Scroll Lock",
                                  "T",
                                  "Tab",
                                  "U",
                                  "Up",
                                  "V",
                                  "W",
                                  "X",
                                  "Y",
                                  "Z",
                                  "1",
                                  "2",
                                  "3",
                                  "4",
                                  "5",
                                  "6",
                                  "7",
                                  "8",
                                  "9",
                                  "0",
                                  " -",
                                  " +",
                                  " .",
                                  " /"};
    return list;
}

const QStringList& pauseSeconds() {
    static const QStringList list{"0,1", "0,25", "0,5", "1", "2", "3", "5", "10", "15"};
    return list;
}

}  // namespace Vocabulary
