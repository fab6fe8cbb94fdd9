#pragma once

#include <QDialog>
#include <QStringList>
#include <QTimer>

class QPlainTextEdit;
class QPushButton;

// The receiver test window: one line per code the recognition pass cut out of the
// received bytes, so the user can see that the receiver works and what it sends.
// The lines are collected whether the window is shown or not (the last 1,000 of
// them), and each showing starts with an empty box. While the window is hidden a
// code waits and goes into the box once the program is idle: a recognition pass
// never waits for the layout of a box that nobody sees.
//
// Sizes are client sizes (without the window frame): the designed 448 x 302, the
// minimum 350 x 200, and the layout of the two controls derived from them. The
// controls are found by their names: RichEdit1 (the lines) and Button1 ("OK").
class TTestF : public QDialog {
    Q_OBJECT
  public:
    explicit TTestF(QWidget* parent = nullptr);

    // Opens modally over the main window (see DialogPlacement::placeOver).
    int NTestIRClick(const QWidget& mainWindow);

    // A new last line with the code.
    void appendCode(const QString& code);

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QPlainTextEdit* RichEdit1;
    QPushButton* Button1;

    void layoutControls();
    // Puts the waiting lines into the box, then keeps the latest that fit.
    void writePending();

    QStringList pending_;
    qsizetype pendingCharacters_ = 0;  // as the box counts them: each line and its end
    bool pendingReplacesLog_ = false;  // lines went from the waiting ones: the box empties
    QTimer pendingTimer_;
};
