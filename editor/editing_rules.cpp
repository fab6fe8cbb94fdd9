#include "editor/editing_rules.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <cmath>

#include "core/error_reporter.h"
#include "core/vocabulary.h"

namespace EditingRules {

std::optional<ActionRow> actionRowFor(int typePosition) {
    ActionRow row;
    switch (typePosition) {
        case 0:  // Run command
            row.runActions = true;
            row.combination = false;
            return row;
        case 1:  // Combination command
            row.blank = true;
            row.combination = true;
            return row;
        case 2:  // Key control: the combination field keeps its state
            row.blank = true;
            return row;
        case 3:  // Mouse control
            row.mouseActions = true;
            row.combination = false;
            return row;
        case 4:  // Volume control
            row.volumeActions = true;
            row.combination = false;
            return row;
        case 5:  // PC control
            row.computerActions = true;
            row.combination = false;
            return row;
        default:
            return std::nullopt;
    }
}

bool showsPositionFields(const QString& runAction) {
    return runAction == Vocabulary::kMouseOnPosition ||
           runAction == Vocabulary::kMouseOnWindowPosition;
}

bool showsPauseSeconds(const QString& runAction) {
    return runAction == Vocabulary::kPauseAction;
}

namespace {
QString marker(int k) {
    return QString::number(k) + QLatin1Char('.');
}
}  // namespace

QString appendElement(const QString& list, const QString& name) {
    if (list.isEmpty()) {
        return marker(1) + name;
    }
    // The first k from the top whose marker is missing while the one before it is
    // present; one pick adds one element, even when a name holds a marker.
    for (int k = kMaxCombinationElements; k >= 2; --k) {
        if (!list.contains(marker(k)) && list.contains(marker(k - 1))) {
            return list + QLatin1Char(' ') + marker(k) + name;
        }
    }
    return list;
}

PauseConversion pauseMilliseconds(const QString& secondsText) {
    // Both separators are read as the decimal point, whatever the system's locale:
    // the built-in list offers "0,25" and a user may well type "0.25".
    QString text = secondsText.trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double seconds = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(seconds)) {
        return {std::nullopt,
                QStringLiteral("'%1' is not a valid floating point value").arg(secondsText)};
    }
    const double milliseconds = std::round(seconds * 1000.0);
    if (milliseconds < 0 || milliseconds > kMaxPauseMs) {
        return {std::nullopt,
                QStringLiteral("'%1' is out of range: a pause lasts from 0 to 99.999 seconds")
                    .arg(secondsText)};
    }
    return {QString::number(static_cast<int>(milliseconds)), QString()};
}

QString programFileFilter() {
#ifdef Q_OS_WIN
    return QStringLiteral("*.exe (*.exe);;*.com (*.com);;*.bat (*.bat);;*.pci (*.pci)");
#else
    // Programs on Linux have no extension of their own: every file comes first.
    return QStringLiteral(
        "All files (*);;Command files (*.pci);;Scripts (*.sh *.py *.pl);;"
        "Desktop entries (*.desktop);;AppImages (*.AppImage)");
#endif
}

QString soundFileFilter() {
#ifdef Q_OS_WIN
    return QStringLiteral("*.wav (*.wav)");
#else
    return QStringLiteral(
        "Sounds (*.wav *.flac *.ogg *.oga *.opus *.mp3 *.aiff *.aif *.au *.caf);;"
        "All files (*)");
#endif
}

QString withCommandFileExtension(const QString& path) {
    static const QString extension = QStringLiteral(".pci");
    return path.endsWith(extension, Qt::CaseInsensitive) ? path : path + extension;
}

QString dialogFolder(const QString& commandFilePath, const QString& programFolder) {
    if (!commandFilePath.isEmpty()) {
        const QFileInfo file(commandFilePath);
        if (file.absoluteDir().exists()) {
            return file.absolutePath();
        }
    }
    return programFolder;
}

bool pathFits(const QString& path, int kept, const QString& tooLong, ErrorReporter& errors) {
    if (path.toUcs4().size() <= kept) {  // characters, as the files count them
        return true;
    }
    errors.report(tooLong.arg(path, QString::number(kept)));
    return false;
}

QString positionReadout(QPoint position) {
    return QStringLiteral("X = %1; Y = %2").arg(position.x()).arg(position.y());
}

}  // namespace EditingRules
