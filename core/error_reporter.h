#pragma once

#include <QString>
#include <QStringList>

// Every error the user must see goes through one reporter: the windows show it in
// a message box (and on stderr); tests collect it.
class ErrorReporter {
  public:
    virtual ~ErrorReporter() = default;
    virtual void report(const QString& message) = 0;
};

// Keeps the messages; for tests and for code that reports before any window exists.
class CollectingReporter : public ErrorReporter {
  public:
    void report(const QString& message) override { messages << message; }
    QStringList messages;
};
