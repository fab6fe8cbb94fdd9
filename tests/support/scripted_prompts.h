#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "core/prompts.h"

// Answers the editor's questions as the test set them, the same answer to every
// question of a kind until the test changes it, and keeps every question asked.
// Unset answers are the ones that change nothing: no file, No, Cancel.
class ScriptedPrompts : public Prompts {
  public:
    enum class Kind { OpenFile, SaveFile, YesNo, Unsaved, Overflow };
    struct Question {
        Kind kind;
        QString title;
        QString text;  // the question; for a file dialog its filter
        QString folder;
    };

    QString openName;
    QString saveName;
    bool yes = false;
    Unsaved unsaved = Unsaved::Cancel;
    QList<Unsaved> unsavedFirst;  // answered in order before `unsaved`
    Overflow overflow = Overflow::Cancel;
    QList<Question> asked;

    // How many questions of the kind were asked, and their texts in order.
    int count(Kind kind) const { return texts(kind).size(); }
    QStringList texts(Kind kind) const {
        QStringList found;
        for (const Question& q : asked) {
            if (q.kind == kind) {
                found << q.text;
            }
        }
        return found;
    }

    QString openFileName(const QString& folder, const QString& filter) override {
        asked << Question{Kind::OpenFile, QString(), filter, folder};
        return openName;
    }
    QString saveFileName(const QString& folder, const QString& filter) override {
        asked << Question{Kind::SaveFile, QString(), filter, folder};
        return saveName;
    }
    bool yesNo(const QString& title, const QString& question) override {
        asked << Question{Kind::YesNo, title, question, QString()};
        return yes;
    }
    Unsaved saveDiscardCancel(const QString& title, const QString& question) override {
        asked << Question{Kind::Unsaved, title, question, QString()};
        return unsavedFirst.isEmpty() ? unsaved : unsavedFirst.takeFirst();
    }
    Overflow writeOrElsewhere(const QString& title, const QString& question,
                              const QString& elsewhere) override {
        Q_UNUSED(elsewhere);
        asked << Question{Kind::Overflow, title, question, QString()};
        return overflow;
    }
};
