#pragma once

#include <QByteArrayView>
#include <QString>

namespace purslet {

// Character codes of code page 932 as the book files store them: a
// single-byte character has the code of its byte, a double-byte character
// lead byte * 256 + trail byte. Looked up in tables built once from the
// platform's converter, so that a whole book decodes without a converter per field.

// The code of a UTF-16 unit, or -1 when it has none.
int Cp932CodeOf(char16_t ch);
// The character of a code, or -1 when the code stands for no character.
int Cp932CharOf(int code);

// Bytes of code page 932 as text, by the same tables (so a text file reads
// back exactly as it was written). A byte that starts no character becomes
// U+FFFD; a delimiter byte after a lead byte is never swallowed.
QString Cp932ToText(QByteArrayView bytes);

} // namespace purslet
