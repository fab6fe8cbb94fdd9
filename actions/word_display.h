#pragma once

#include <QString>

// What the countdown and timer logic need of their on-screen window: one big text,
// a word before the number, shown in front or hidden.
class WordDisplay {
  public:
    virtual ~WordDisplay() = default;
    virtual void hideWindow() = 0;
    // Shows the window in front without taking the focus.
    virtual void showWindow() = 0;
    virtual void setText(const QString& text) = 0;
    // The word shown before the number (the window's word label).
    virtual QString word() const = 0;
};
