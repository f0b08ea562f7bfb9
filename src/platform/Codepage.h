#pragma once

#include <QByteArray>
#include <QString>

namespace purslet {

// Code page 932 (Microsoft's Shift_JIS) as every file on disk uses it.
// A character without a code becomes "?".
QByteArray ToCp932(const QString &text);
QString FromCp932(const QByteArray &bytes);

// True when the bytes decode as code page 932 without a fault.
bool IsValidCp932(const QByteArray &bytes);

// Byte count of the text in code page 932: full-width 2, half-width 1.
int Cp932Width(const QString &text);

} // namespace purslet
