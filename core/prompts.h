#pragma once

#include <QString>

// Every question the editor asks the user goes through one prompts object, as every
// error goes through the reporter: the windows show dialogs; tests answer from a
// script. Each question is answered before the call returns.
class Prompts {
  public:
    // The answers to unsaved changes (Save is the default button).
    enum class Unsaved { Save, Discard, Cancel };
    // The answers before writing over a file that could not hold all its commands
    // (Cancel is the default button).
    enum class Overflow { Write, WriteElsewhere, Cancel };

    virtual ~Prompts() = default;
    // The name of a file to read, the dialog opening in `folder` and showing the
    // files `filter` matches; empty when cancelled.
    virtual QString openFileName(const QString& folder, const QString& filter) = 0;
    // The name of a file to write; empty when cancelled. The dialog does not ask
    // about replacing a file: the caller asks (yesNo) once the name is final.
    virtual QString saveFileName(const QString& folder, const QString& filter) = 0;
    // A yes/no question, No the default; true for Yes.
    virtual bool yesNo(const QString& title, const QString& question) = 0;
    virtual Unsaved saveDiscardCancel(const QString& title, const QString& question) = 0;
    // `elsewhere` is the caption of the answer that writes to another file.
    virtual Overflow writeOrElsewhere(const QString& title, const QString& question,
                                      const QString& elsewhere) = 0;
};
