#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace purslet {

// Code page 932 (Microsoft's Shift_JIS) as every file on disk uses it.
// Characters have codes as the book files store them: a single-byte
// character the code of its byte, a double-byte character lead byte * 256 +
// trail byte. The codes come from tables built once from the platform's
// converter, so that a whole book converts without a converter per field.
// The Unicode forms that Linux input methods give for some of its characters
// (U+301C for the wave dash, U+2212 for the minus, ...) have the code page's
// own character's code.

// The code of a UTF-16 unit, or -1 when it has none.
int Cp932CodeOf(char16_t ch);
// The character of a code, or -1 when the code stands for no character.
int Cp932CharOf(int code);
// The code of the character at `i` and in `length` its UTF-16 units (a
// surrogate pair is one character, which the code page does not have): -1
// when it has no code. Inline: the writer and the print layout ask it for
// every character of a book.
inline int Cp932CodeAt(QStringView text, qsizetype i, qsizetype &length)
{
    const QChar c = text[i];
    length = 1;
    if (c.unicode() < 0x80)
        return c.unicode();
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        length = 2;
        return -1;
    }
    return Cp932CodeOf(c.unicode());
}

// The tables behind the functions here, for loops over a whole book: the
// code of each UTF-16 unit (0 for none, and for NUL) and the character of
// each code (0xFFFF for none).
struct Cp932Tables
{
    const quint16 *codes;
    const char16_t *chars;
};
Cp932Tables Cp932TableData();

// The text as a file gives it back: a character with a code becomes the
// character that code reads as (U+2212 becomes U+FF0D, U+301C U+FF5E, ...).
// Characters without a code stay, for the caller to refuse. Typed text is
// brought into this form where it enters, so that what is shown, compared
// and saved is the same text.
QString Cp932Form(const QString &text);

// Written as bytes, a character without a code as "?".
QByteArray ToCp932(const QString &text);
void AppendCp932(QByteArray &out, QStringView text);
// Bytes as text by the same tables, so that a file reads back exactly as it
// was written; a byte that starts no character becomes U+FFFD, and a
// delimiter byte after a lead byte is never swallowed.
QString FromCp932(QByteArrayView bytes);

// Byte count of the text in code page 932: full-width 2, half-width 1, a
// character without a code 1 (its "?"). WidthAt: of the character at `i`,
// its UTF-16 units in `length`.
int Cp932Width(QStringView text);
inline int Cp932WidthAt(QStringView text, qsizetype i, qsizetype &length)
{
    return Cp932CodeAt(text, i, length) >= 0x100 ? 2 : 1;
}

// The first character of the text that code page 932 cannot hold (a
// surrogate pair is one character), or the empty text when it holds them
// all. With `count`, also how many such characters there are.
QString FirstCharWithoutCp932(QStringView text, qsizetype *count = nullptr);
// A character as a message names it, 「…」 and its code point (U+XXXX): the
// font may have no picture for it.
QString QuotedChar(const QString &character);

} // namespace purslet
