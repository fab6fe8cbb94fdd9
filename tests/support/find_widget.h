#pragma once

#include <gtest/gtest.h>

#include <QList>
#include <QObject>
#include <QString>
#include <stdexcept>
#include <string>

// The one child of `root` (at any depth) of type W with the object name: the windows
// keep their widgets private, and tests find them by the names the handlers and the
// language files use. A missing or ambiguous name fails the test, naming what was
// looked for, and ends it (the exception is reported by GoogleTest), so no test goes
// on with a null widget.
template <class W>
W* widget(const QObject& root, const char* name) {
    const QList<W*> found = root.findChildren<W*>(QLatin1String(name));
    if (found.size() == 1) {
        return found.front();
    }
    const std::string what = std::string(found.isEmpty() ? "no " : "more than one ") +
                             W::staticMetaObject.className() + " named \"" + name + "\" in " +
                             root.metaObject()->className() + " \"" +
                             root.objectName().toStdString() + "\"";
    ADD_FAILURE() << what;
    throw std::runtime_error(what);
}
