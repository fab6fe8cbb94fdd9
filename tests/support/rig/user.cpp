#include "support/rig/user.h"

#include <QRegularExpression>
#include <QSet>
#include <thread>

#include "support/rig/x11.h"

namespace rig {

void settle(milliseconds pause) {
    std::this_thread::sleep_for(pause);
}

User::User(const Environment& env, const QString& workDir) : env_(env), workDir_(workDir) {}

QString User::xdo(const QStringList& args) const {
    return QString::fromUtf8(
        runCommand(QStringList{QStringLiteral("xdotool")} + args, env_, seconds(10)).out);
}

QString User::waitWindow(const QString& titleRegex, milliseconds limit) const {
    QString found;
    waitUntil(
        [&] {
            found = xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                         QStringLiteral("--name"), titleRegex})
                        .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                        .value(0);
            return !found.isEmpty();
        },
        limit, milliseconds(50));
    return found;
}

bool User::waitWindowGone(const QString& titleRegex, milliseconds limit) const {
    return waitUntil(
        [&] {
            return xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                        QStringLiteral("--name"), titleRegex})
                .trimmed()
                .isEmpty();
        },
        limit, milliseconds(50));
}

QPoint User::windowOrigin(const QString& window) const {
    const QString shell =
        xdo({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    const auto value = [&](const char* key) {
        const QRegularExpression re(QStringLiteral("^%1=(-?\\d+)$").arg(QLatin1String(key)),
                                    QRegularExpression::MultilineOption);
        return re.match(shell).captured(1).toInt();
    };
    return {value("X"), value("Y")};
}

void User::focus(const QString& window) const {
    xdo({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    settle(milliseconds(100));
}

void User::click(QPoint at, int button) const {
    xdo({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
         QStringLiteral("click"), QString::number(button)});
    settle();
}

bool User::clickToOpen(QPoint at, int button) const {
    // Menus and drop-down lists are top-level windows of the program's class; one
    // that has just been closed may still be listed, so a new id is looked for.
    const auto programWindows = [this] {
        const QStringList ids = xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                     QStringLiteral("--classname"), QStringLiteral("quenda")})
                                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        return QSet<QString>(ids.begin(), ids.end());
    };
    const QSet<QString> before = programWindows();
    xdo({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
         QStringLiteral("click"), QString::number(button)});
    return waitUntil([&] { return !programWindows().subtract(before).isEmpty(); },
                     milliseconds(5000), milliseconds(50));
}

void User::keys(const QStringList& keys) const {
    xdo(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("60")} + keys);
    settle();
}

void User::type(const QString& text) const {
    xdo({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
    settle(milliseconds(150));
}

bool User::answerDialog(const QString& title, const QString& text) const {
    const QString exact = QStringLiteral("^") + title + QStringLiteral("$");
    const QString dialog = waitWindow(exact);
    if (dialog.isEmpty()) {
        return false;
    }
    focus(dialog);
    keys({QStringLiteral("ctrl+a")});
    type(text);
    keys({QStringLiteral("Return")});
    return waitWindowGone(exact);
}

QString User::readScreen(const QRect& area) const {
    const QString shot = workDir_ + QStringLiteral("/ocr.png");
    screenshot(env_, shot);
    return readText(env_, shot, area, workDir_ + QStringLiteral("/ocr-scaled.png"), 4, true)
        .trimmed();
}

}  // namespace rig
