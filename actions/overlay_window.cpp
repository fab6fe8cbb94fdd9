#include "actions/overlay_window.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QScreen>

namespace OverlayWindow {

Qt::WindowFlags flags() {
    return Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool |
           Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint;
}

void prepare(QWidget* window) {
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->setFocusPolicy(Qt::NoFocus);
}

QLabel* designLabel(QWidget* parent, const char* objectName, int pixelSize) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(objectName));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(pixelSize);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(palette);
    label->move(0, 0);
    return label;
}

// The window's own background takes the text colour, so the letters' soft edges
// blend into it.
void cutMask(QWidget* window, QLabel* label) {
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, label->palette().color(QPalette::WindowText));
    window->setPalette(palette);
    QImage letters(window->size(), QImage::Format_ARGB32_Premultiplied);
    letters.fill(Qt::transparent);
    label->render(&letters, label->pos(), QRegion(), QWidget::DrawChildren);
    const QRegion shape(QBitmap::fromImage(letters.createAlphaMask()));
    // An empty region would remove the mask and show the whole window: a text of
    // blanks alone shows nothing instead.
    window->setMask(shape.isEmpty() ? QRegion(-1, -1, 1, 1) : shape);
}

QRect screenRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

}  // namespace OverlayWindow
