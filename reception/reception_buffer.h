#pragma once

#include <QObject>
#include <QString>

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

  Q_SIGNALS:
    void changed();

  private:
    QString text_;
};
