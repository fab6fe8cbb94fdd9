#pragma once

#include <QByteArrayView>
#include <QObject>
#include <QString>

#include "core/settings_record.h"

// The reception buffer: a hidden single-line text that grows by a blank and a byte
// text for every accepted byte and is emptied at the end of each recognition pass.
// Every change of its text is announced, which is what starts the recognition timer.
class ReceptionBuffer : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    const QString& text() const { return text_; }
    // Announces a change only when the text really differs.
    void setText(const QString& text);

    // Takes received bytes through the filter of `settings`, in arrival order: each
    // accepted byte appends a blank and its byte text. The texts are appended in
    // place, so a burst costs time in proportion to its length. The bytes of one
    // call are one change, announced once after the last of them when any byte was
    // accepted: nothing can look at the buffer in between, and the only listener,
    // the recognition timer, is started by the first announcement of a burst and
    // not restarted by later ones.
    void appendBytes(QByteArrayView bytes, const SettingsRecord& settings);

  Q_SIGNALS:
    void changed();

  private:
    QString text_;
};
