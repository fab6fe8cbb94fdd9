#pragma once

#include <QPointer>
#include <QWidget>

#include "core/prompts.h"

// The questions in the standard file dialogs and message boxes, over the main window.
class DialogPrompts : public Prompts {
  public:
    // The window the dialogs belong to; it may be set after the window is made.
    void setWindow(QWidget* window) { window_ = window; }

    QString openFileName(const QString& folder, const QString& filter) override;
    QString saveFileName(const QString& folder, const QString& filter) override;
    bool yesNo(const QString& title, const QString& question) override;
    Unsaved saveDiscardCancel(const QString& title, const QString& question) override;
    Overflow writeOrElsewhere(const QString& title, const QString& question,
                              const QString& elsewhere) override;

  private:
    QPointer<QWidget> window_;
};
