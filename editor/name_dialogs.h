#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The small modal dialogs that name a header or a command: a label, the text field
// Edit1 and the buttons OK (Button1) and Cancel (Button2). Each is created once and
// reused, so Edit1 keeps the last text entered in it.
class TNameDialog : public QDialog {
    Q_OBJECT
  public:
    struct Texts {
        const char* objectName;
        QString caption;
        QString label;
        QString start;  // Edit1 at start
        QSize clientSize;
    };
    TNameDialog(const Texts& texts, QWidget* parent);

    void Button1Click();  // OK
    void Button2Click();  // Cancel, like the window's close box

    // The name in Edit1.
    QString text() const;
    void setText(const QString& text);
    // The Cancel button's caption in the current language.
    QString cancelCaption() const;

  private:
    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QPushButton* Button2;
};

// New header.
class TNewPultF : public TNameDialog {
    Q_OBJECT
  public:
    explicit TNewPultF(QWidget* parent);
};

// New command.
class TNewCommandF : public TNameDialog {
    Q_OBJECT
  public:
    explicit TNewCommandF(QWidget* parent);
};

// Rename the selected header or command.
class TRenameCommandF : public TNameDialog {
    Q_OBJECT
  public:
    explicit TRenameCommandF(QWidget* parent);
};
