#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace purslet {

// Code page 932 (Microsoft's Shift_JIS) as every file on disk uses it. The
// Unicode forms that Linux input methods give for some of its characters
// (U+301C for the wave dash, U+2212 for the minus, ...) are written as the
// code page's own character; a character without a code becomes "?".
QByteArray ToCp932(const QString &text);
void AppendCp932(QByteArray &out, QStringView text);
// Reading keeps the code page's own mapping; a byte that starts no
// character becomes U+FFFD.
QString FromCp932(const QByteArray &bytes);

// Byte count of the text in code page 932: full-width 2, half-width 1.
int Cp932Width(const QString &text);

// The first character of the text that code page 932 cannot hold (a
// surrogate pair is one character), or the empty text when it holds them
// all. With `count`, also how many such characters there are.
QString FirstCharWithoutCp932(QStringView text, qsizetype *count = nullptr);
// A character as a message names it, 「…」 and its code point (U+XXXX): the
// font may have no picture for it.
QString QuotedChar(const QString &character);

} // namespace purslet
