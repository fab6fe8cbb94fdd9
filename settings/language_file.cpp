#include "settings/language_file.h"

#include <QFileInfo>

#include "core/text_codec.h"
#include "settings/language_table.h"

namespace {

bool isBlankOrControl(QChar c) {
    return c.unicode() <= 32;
}

QString trimmed(const QString& text) {
    int begin = 0;
    int end = text.size();
    while (begin < end && isBlankOrControl(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlankOrControl(text[end - 1])) {
        --end;
    }
    return text.mid(begin, end - begin);
}

}  // namespace

QString LanguageTexts::caption(const QString& target) const {
    for (auto it = captions.crbegin(); it != captions.crend(); ++it) {
        if (it->first == target) {
            return it->second;
        }
    }
    return QString();
}

namespace LanguageFile {

LanguageTexts read(const QStringList& lines) {
    LanguageTexts texts;
    for (const QString& line : lines) {
        for (const LanguageTable::Entry& entry : LanguageTable::entries()) {
            if (!line.contains(entry.key)) {
                continue;
            }
            const QString text =
                trimmed(TextCodec::cut(line, int(entry.key.size()) + 1, entry.maxLength));
            for (const QString& target : entry.targets) {
                texts.captions.append({target, text});
            }
            if (!entry.list.isEmpty()) {
                texts.lists[entry.list].append(text);
            }
            if (!entry.stored.isEmpty()) {
                texts.stored.insert(entry.stored, text);
            }
        }
    }
    return texts;
}

QString userPath(const QString& programFolder, const QString& language) {
    return programFolder + QStringLiteral("Lng/") + language + QStringLiteral(".lng");
}

QString locate(const QString& programFolder, const QString& language) {
    const QString user = userPath(programFolder, language);
    if (QFileInfo(user).isFile()) {
        return user;
    }
    // A name with a path in it must not reach outside the built-in folder.
    if (language.isEmpty() || language.contains(QLatin1Char('/'))) {
        return QString();
    }
    const QString builtIn = QStringLiteral(":/quenda/Lng/") + language + QStringLiteral(".lng");
    return QFileInfo(builtIn).isFile() ? builtIn : QString();
}

}  // namespace LanguageFile
