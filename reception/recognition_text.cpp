#include "reception/recognition_text.h"

namespace RecognitionText {

QString cutCode(const QString& bufferText, const QString& startSymbol) {
    QString code = bufferText;
    if (startSymbol.isEmpty()) {
        return code;
    }
    const int front = code.indexOf(startSymbol);
    if (front > 0) {
        code.remove(0, front);
    }
    // Searched from the second character on, so the symbol the code begins with is
    // not found again; the index found in that tail is, in the whole code, the
    // character just before the next symbol (normally the separating blank).
    const int next = QStringView(code).mid(1).indexOf(startSymbol);
    if (next >= 0) {
        code.remove(next, kBehindCutLimit);
    }
    return code;
}

namespace {

QString marker(int k) {
    return QString::number(k) + QLatin1Char('.');
}

}  // namespace

QStringList combinationElements(const QString& list) {
    int count = 0;
    for (int k = 1; k <= kMaxElements; ++k) {
        if (list.contains(marker(k))) {
            count = k;
        }
    }
    QStringList elements;
    QString rest = list;
    for (int k = 1; k <= count; ++k) {
        const QString own = marker(k);
        const int skip = int(own.size());
        const int next = rest.indexOf(marker(k + 1));
        if (next < 0 && rest.contains(own)) {
            elements << rest.mid(skip, kLastElementLength);
        } else {
            // Up to two characters before the next marker: the blank in front of it
            // is not part of the name.
            const int length = next - 1 - skip;
            elements << (length > 0 ? rest.mid(skip, length) : QString());
        }
        if (next >= 0) {
            rest.remove(0, next);
        }
    }
    return elements;
}

}  // namespace RecognitionText
