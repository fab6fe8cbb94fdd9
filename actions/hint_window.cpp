#include "actions/hint_window.h"

#include <QLabel>

#include "actions/hint_placement.h"
#include "actions/overlay_window.h"

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

THintF::THintF(QWidget* parent) : QWidget(parent, OverlayWindow::flags()) {
    setObjectName(QStringLiteral("THintF"));
    OverlayWindow::prepare(this);
    LabelHint = OverlayWindow::designLabel(this, "LabelHint", 35);

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
    const QRect screenRect = OverlayWindow::screenRect();
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

// Only the pixels the label paints belong to the window.
void THintF::cutMask() {
    OverlayWindow::cutMask(this, LabelHint);
}
