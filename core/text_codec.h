#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text of the program's files: Windows-1251 unless the file begins with the UTF-8
// byte-order mark, or holds non-ASCII bytes that are all valid UTF-8 (a file made in
// a Linux text editor). Writing picks Windows-1251 when every character fits,
// otherwise UTF-8 with the mark, so nothing the user typed is lost; a file that came
// as UTF-8 without the mark is written back the same way.
namespace TextCodec {

// How a file's text was stored, so a save can keep it.
enum class Encoding { Windows1251, Utf8WithMark, Utf8 };

struct Decoded {
    QStringList lines;
    Encoding encoding = Encoding::Windows1251;
};

bool fitsWindows1251(const QString& text);
QString decodeWindows1251(const QByteArray& bytes);
QByteArray encodeWindows1251(const QString& text);  // only for text that fits

// Splits into lines; CR LF and LF alone both end a line. A final line without an
// ending still counts; the empty piece after a final ending does not.
QStringList decodeLines(const QByteArray& bytes);
Decoded decode(const QByteArray& bytes);

// Every line ends with CR LF. Text that came as UTF-8 without the mark stays so;
// anything else follows the Windows-1251-if-it-fits rule (unless those bytes would
// read back as UTF-8).
QByteArray encodeLines(const QStringList& lines, Encoding original = Encoding::Windows1251);

// The piece of `text` that starts at character `from` (from 0) and holds at most
// `kept` characters. Columns and lengths count characters, not UTF-16 units, so a
// cut never keeps one half of a character outside the basic plane.
QString cut(const QString& text, int from, int kept);

}  // namespace TextCodec
