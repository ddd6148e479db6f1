#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace Tarvosk {

// The 8-bit code page of character files. Each byte is one character: the
// five bytes Windows-1252 leaves unassigned read as the control characters of
// the same number, so every file reads back to the bytes it was. A character
// the code page lacks is written as "?".
QString decodeWindows1252(QByteArrayView bytes);
QByteArray encodeWindows1252(QStringView text);
// Appends the text's bytes; as a line, CR and LF in it are written as blanks
// and CR LF ends it.
enum class Append { Text, Line };
void appendWindows1252(QByteArray &bytes, QStringView text, Append as = Append::Text);

} // namespace Tarvosk
