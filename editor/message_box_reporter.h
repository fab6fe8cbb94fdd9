#pragma once

#include "core/error_reporter.h"

// Shows each message in a plain message box over the active window and on stderr.
class MessageBoxReporter : public ErrorReporter {
public:
    void report(const QString& message) override;
};
