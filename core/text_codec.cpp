#include "core/text_codec.h"

#include <QStringDecoder>
#include <array>
#include <optional>

namespace {

const QByteArray kUtf8Mark("\xEF\xBB\xBF");

// Unicode of the bytes 0x80 to 0xFF. 0x98 has no letter in the code page; it maps
// to the C1 control of the same number so that every byte survives a round trip.
constexpr std::array<char16_t, 128> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

int byteOf(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80) {
        return u;
    }
    for (int i = 0; i < 128; ++i) {
        if (kUpperHalf[i] == u) {
            return 0x80 + i;
        }
    }
    return -1;
}

// The UTF-16 index where character number `characters` (from 0) starts, or the
// text's size when it has fewer characters.
int unitIndexOf(const QString& text, int characters) {
    int unit = 0;
    for (int counted = 0; counted < characters && unit < text.size(); ++counted) {
        const bool pair = text.at(unit).isHighSurrogate() && unit + 1 < text.size() &&
                          text.at(unit + 1).isLowSurrogate();
        unit += pair ? 2 : 1;
    }
    return unit;
}

}  // namespace

namespace TextCodec {

QString cut(const QString& text, int from, int kept) {
    const int begin = unitIndexOf(text, qMax(from, 0));
    const QString rest = text.mid(begin);
    return rest.left(unitIndexOf(rest, qMax(kept, 0)));
}

bool fitsWindows1251(const QString& text) {
    for (QChar c : text) {
        if (byteOf(c) < 0) {
            return false;
        }
    }
    return true;
}

QString decodeWindows1251(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *out++ = b < 0x80 ? QChar(b) : QChar(kUpperHalf[b - 0x80]);
    }
    return text;
}

QByteArray encodeWindows1251(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const int b = byteOf(c);
        bytes.append(static_cast<char>(b < 0 ? '?' : b));
    }
    return bytes;
}

namespace {

bool isAscii(const QByteArray& bytes) {
    for (char ch : bytes) {
        if (static_cast<unsigned char>(ch) >= 0x80) {
            return false;
        }
    }
    return true;
}

// Cyrillic text in Windows-1251 is practically never valid UTF-8, so valid UTF-8
// with non-ASCII bytes is taken for UTF-8.
std::optional<QString> strictUtf8(const QByteArray& bytes) {
    if (isAscii(bytes)) {
        return std::nullopt;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

// Each line is copied once, without its CR; an empty line allocates nothing.
QStringList splitLines(const QString& text) {
    QStringList lines;
    lines.reserve(text.count(QLatin1Char('\n')) + 1);
    qsizetype begin = 0;
    while (begin < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), begin);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0) {
            end = text.size();
        }
        const qsizetype length =
            end > begin && text.at(end - 1) == QLatin1Char('\r') ? end - begin - 1 : end - begin;
        lines.append(text.sliced(begin, length));
        begin = next;
    }
    return lines;
}

}  // namespace

Decoded decode(const QByteArray& bytes) {
    if (bytes.startsWith(kUtf8Mark)) {
        return {splitLines(QString::fromUtf8(bytes.mid(kUtf8Mark.size()))), Encoding::Utf8WithMark};
    }
    if (std::optional<QString> text = strictUtf8(bytes)) {
        return {splitLines(*text), Encoding::Utf8};
    }
    return {splitLines(decodeWindows1251(bytes)), Encoding::Windows1251};
}

QStringList decodeLines(const QByteArray& bytes) {
    return decode(bytes).lines;
}

QByteArray encodeLines(const QStringList& lines, Encoding original) {
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    if (original == Encoding::Utf8) {
        return text.toUtf8();
    }
    if (fitsWindows1251(text)) {
        // Windows-1251 bytes that happen to be valid UTF-8 would be read back as
        // UTF-8 and change the text; the mark keeps such a file as it was written.
        QByteArray bytes = encodeWindows1251(text);
        if (!strictUtf8(bytes)) {
            return bytes;
        }
    }
    return kUtf8Mark + text.toUtf8();
}

}  // namespace TextCodec
