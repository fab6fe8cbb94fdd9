#include "settings/language_applier.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QTabWidget>

namespace {

// The window an object belongs to: objects inside a dialog that is a child of the
// main window belong to the dialog, not to the main window. A menu pops up as a
// window of its own but belongs to the window whose menu bar holds it.
QWidget* windowOf(QObject* object) {
    for (QObject* o = object; o; o = o->parent()) {
        auto* widget = qobject_cast<QWidget*>(o);
        if (widget && !qobject_cast<QMenu*>(widget)) {
            return widget->window();
        }
    }
    return nullptr;
}

QObject* findIn(QWidget* window, const QString& name) {
    for (QObject* object : window->findChildren<QObject*>(name)) {
        if (windowOf(object) == window) {
            return object;
        }
    }
    return nullptr;
}

QWidget* findWindow(const QList<QWidget*>& windows, const QString& name) {
    for (QWidget* window : windows) {
        if (window->objectName() == name) {
            return window;
        }
    }
    return nullptr;
}

void setPageText(QWidget* page, const QString& text) {
    for (QWidget* p = page->parentWidget(); p; p = p->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(p)) {
            tabs->setTabText(tabs->indexOf(page), text);
            return;
        }
    }
}

void setText(QObject* object, const QString& text) {
    if (auto* menu = qobject_cast<QMenu*>(object)) {
        menu->setTitle(text);
    } else if (auto* action = qobject_cast<QAction*>(object)) {
        action->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(object)) {
        label->setText(text);
        // A label that grows to the right sizes itself to its text; one aligned to
        // the right keeps its place so it still ends at its control.
        if (!(label->alignment() & Qt::AlignRight)) {
            label->adjustSize();
        }
    } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        button->setText(text);
    } else if (auto* box = qobject_cast<QGroupBox*>(object)) {
        box->setTitle(text);
    } else if (auto* page = qobject_cast<QWidget*>(object)) {
        setPageText(page, text);
    }
}

// The list's items are replaced; the position it showed stays shown.
void setItems(QComboBox* list, const QStringList& items) {
    const QSignalBlocker block(list);
    const int shown = list->currentIndex();
    const QString typed = list->currentText();
    list->clear();
    list->addItems(items);
    if (shown >= 0 && shown < list->count()) {
        list->setCurrentIndex(shown);
    } else {
        list->setCurrentIndex(-1);
        if (list->isEditable()) {
            list->setEditText(shown >= 0 ? QString() : typed);
        }
    }
}

void applyTo(const QList<QWidget*>& windows, const QString& target, const QString& text) {
    const int slash = target.indexOf(QLatin1Char('/'));
    QWidget* window = findWindow(windows, target.left(slash));
    if (!window) {
        return;
    }
    if (slash < 0) {
        window->setWindowTitle(text);
    } else if (QObject* object = findIn(window, target.mid(slash + 1))) {
        setText(object, text);
    }
}

}  // namespace

namespace LanguageApplier {

void apply(const LanguageTexts& texts, const QList<QWidget*>& windows) {
    for (const auto& [target, text] : texts.captions) {
        applyTo(windows, target, text);
    }
    for (auto it = texts.lists.cbegin(); it != texts.lists.cend(); ++it) {
        const int slash = it.key().indexOf(QLatin1Char('/'));
        QWidget* window = findWindow(windows, it.key().left(slash));
        if (auto* list = window ? qobject_cast<QComboBox*>(findIn(window, it.key().mid(slash + 1)))
                                : nullptr) {
            setItems(list, it.value());
        }
    }
}

}  // namespace LanguageApplier
