#include "screen_text.h"

#include <QRegularExpression>

namespace {

QString normalised(const QString& text) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text.toLower().replace(blanks, QStringLiteral(" "));
}

}  // namespace

QStringList ScreenText::find(const QStringList& captions) const {
    const QString seen = normalised(text);
    QStringList found;
    for (const QString& caption : captions) {
        if (seen.contains(normalised(caption))) {
            found << caption;
        }
    }
    return found;
}

ScreenText readWindow(rig::Desktop& desktop, const rig::XWindowInfo& window,
                      const QStringList& wanted, int needed, rig::milliseconds limit) {
    const QRect area = window.rect.intersected(QRect(0, 0, 1280, 800));
    ScreenText result;
    int attempt = 0;
    rig::waitUntil(
        [&] {
            const QString shot = desktop.screenshot(QStringLiteral("window-%1").arg(++attempt));
            result.text = rig::readText(desktop.environment(), shot, area,
                                        shot + QStringLiteral(".crop.png"));
            return result.find(wanted).size() >= needed;
        },
        limit, rig::milliseconds(300));
    return result;
}
