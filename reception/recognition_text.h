#pragma once

#include <QString>
#include <QStringList>

// The text work of a recognition pass: cutting one code out of the buffer text, and
// splitting a combination list into the names of its elements.
namespace RecognitionText {

// Characters removed behind the code at most: a longer tail stays part of the code.
constexpr int kBehindCutLimit = 200;
// Characters kept of a combination's last element.
constexpr int kLastElementLength = 25;
// Elements a combination list may number.
constexpr int kMaxElements = 30;

// The code of a pass. With a start symbol, whatever stands in front of its first
// occurrence is dropped, and from the character just before its next occurrence at
// most kBehindCutLimit characters are dropped. An empty symbol keeps the whole text.
QString cutCode(const QString& bufferText, const QString& startSymbol);

// Element names e1 to en of a combination list such as "1.Play 2.Next". n is the
// highest k up to 30 whose marker "k." occurs anywhere in the list. Every element but
// the last is the text between its marker and the blank in front of the next marker;
// the last is cut to kLastElementLength characters. An element may come out empty.
QStringList combinationElements(const QString& list);

}  // namespace RecognitionText
