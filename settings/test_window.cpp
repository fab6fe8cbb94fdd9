#include "settings/test_window.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "forms/dialog_placement.h"

namespace {

constexpr int kWidth = 448;
constexpr int kHeight = 302;
constexpr int kMinWidth = 350;
constexpr int kMinHeight = 200;
constexpr int kKeptLines = 1000;
// A noisy receiver makes codes of thousands of characters; the lines kept are
// also bounded by their total length.
constexpr int kKeptCharacters = 100000;

}  // namespace

TTestF::TTestF(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TTestF"));
    setWindowTitle(QStringLiteral("Тест приемника"));
    // Only the system menu and the close box: no minimise or maximise buttons.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    setFont(font);
    setMinimumSize(kMinWidth, kMinHeight);

    RichEdit1 = new QPlainTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Codes arrive for as long as the receiver sends, shown or not: only the latest
    // lines are kept, so a steady receiver cannot grow the program without end.
    RichEdit1->setMaximumBlockCount(kKeptLines);
    RichEdit1->move(9, 10);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->resize(75, 25);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    resize(kWidth, kHeight);
    layoutControls();

    pendingTimer_.setSingleShot(true);
    pendingTimer_.setInterval(0);
    connect(&pendingTimer_, &QTimer::timeout, this, &TTestF::writePending);
}

int TTestF::NTestIRClick(const QWidget& mainWindow) {
    DialogPlacement::placeOver(*this, mainWindow);
    return exec();
}

void TTestF::appendCode(const QString& code) {
    pending_ << code;
    pendingCharacters_ += code.size() + 1;
    // Lines the box would drop need not wait either; and once one of them goes,
    // every older line in the box would go too.
    while ((pending_.size() > kKeptLines || pendingCharacters_ > kKeptCharacters) &&
           pending_.size() > 1) {
        pendingCharacters_ -= pending_.constFirst().size() + 1;
        pending_.removeFirst();
        pendingReplacesLog_ = true;
    }
    if (isVisible()) {
        writePending();
    } else if (!pendingTimer_.isActive()) {
        pendingTimer_.start();
    }
}

void TTestF::writePending() {
    pendingTimer_.stop();
    if (pendingReplacesLog_) {
        RichEdit1->clear();
        pendingReplacesLog_ = false;
    }
    QTextDocument* log = RichEdit1->document();
    for (const QString& code : std::as_const(pending_)) {
        RichEdit1->appendPlainText(code);
        while (log->characterCount() > kKeptCharacters && log->blockCount() > 1) {
            QTextCursor oldest(log->firstBlock());
            oldest.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
            oldest.removeSelectedText();
        }
    }
    pending_.clear();
    pendingCharacters_ = 0;
}

void TTestF::showEvent(QShowEvent* event) {
    pendingTimer_.stop();
    pending_.clear();
    pendingCharacters_ = 0;
    pendingReplacesLog_ = false;
    RichEdit1->clear();
    QDialog::showEvent(event);
}

void TTestF::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutControls();
}

// Laid out from the size the window has now, so the box and the button follow every
// resize at once.
void TTestF::layoutControls() {
    const int w = width();
    const int h = height();
    RichEdit1->resize(w - 27, h - 80);
    Button1->move(w - 91, h - 60);
}
