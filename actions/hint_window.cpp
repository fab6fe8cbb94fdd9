#include "actions/hint_window.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QScreen>

#include "actions/hint_placement.h"

namespace {

constexpr int kDesignCloseMs = 3000;

}  // namespace

void applyOverlayFont(QLabel* label, const OverlayFont& overlay) {
    QFont font = label->font();
    if (!overlay.family.isEmpty()) {
        font.setFamily(overlay.family);
    }
    if (overlay.pointSize > 0) {
        font.setPointSize(overlay.pointSize);
    }
    switch (overlay.style) {
        case OverlayFont::Style::Bold:
            font.setBold(true);
            font.setItalic(false);
            break;
        case OverlayFont::Style::Italic:
            font.setBold(false);
            font.setItalic(true);
            break;
        case OverlayFont::Style::Unchanged:
            break;
    }
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(overlay.red(), overlay.green(), overlay.blue()));
    label->setPalette(palette);
}

THintF::THintF(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool |
                          Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint) {
    setObjectName(QStringLiteral("THintF"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::NoFocus);

    LabelHint = new QLabel(this);
    LabelHint->setObjectName(QStringLiteral("LabelHint"));
    LabelHint->setTextFormat(Qt::PlainText);
    LabelHint->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(35);
    LabelHint->setFont(font);
    QPalette palette = LabelHint->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    LabelHint->setPalette(palette);
    LabelHint->move(0, 0);

    Timer2 = new IntervalTimer(kDesignCloseMs, this);
    connect(Timer2, &IntervalTimer::timeout, this, &THintF::Timer2Timer);
}

void THintF::applyOverlayFont(const OverlayFont& font) {
    ::applyOverlayFont(LabelHint, font);
}

void THintF::hideHint() {
    hide();
}

void THintF::showHint(const QString& text, int extraHeight, int closeMs) {
    LabelHint->setText(text);
    LabelHint->adjustSize();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const QRect place = HintPlacement::geometry(LabelHint->size(), screenRect.size(), extraHeight);
    setGeometry(place.translated(screenRect.topLeft()));
    cutMask();
    // An interval of 0 means the hint stays: a QTimer would fire at once instead.
    if (closeMs > 0) {
        Timer2->setInterval(closeMs);
        Timer2->setEnabled(true);
    } else {
        Timer2->setEnabled(false);
        Timer2->setInterval(0);
    }
    show();
    raise();
}

void THintF::Timer2Timer() {
    Timer2->setEnabled(false);
    close();
}

// Only the pixels the label paints belong to the window. The window's own
// background takes the text colour, so the letters' soft edges blend into it.
void THintF::cutMask() {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, LabelHint->palette().color(QPalette::WindowText));
    setPalette(palette);
    QImage letters(size(), QImage::Format_ARGB32_Premultiplied);
    letters.fill(Qt::transparent);
    LabelHint->render(&letters, LabelHint->pos(), QRegion(), QWidget::DrawChildren);
    const QRegion shape(QBitmap::fromImage(letters.createAlphaMask()));
    // An empty region would remove the mask and show the whole window: a text of
    // blanks alone shows nothing instead.
    setMask(shape.isEmpty() ? QRegion(-1, -1, 1, 1) : shape);
}
