#include "platform/Codepage.h"

#include "platform/Cp932Codes.h"


namespace purslet {

namespace {

bool isAscii(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// The length of the character at i (a surrogate pair is two units) and its
// code, or -1 when the code page has none.
int codeAt(QStringView text, qsizetype i, qsizetype &length)
{
    const QChar c = text[i];
    length = 1;
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        length = 2;
        return -1; // the code page has nothing outside the basic plane
    }
    return Cp932CodeOf(c.unicode());
}

} // namespace

void AppendCp932(QByteArray &out, QStringView text)
{
    for (qsizetype i = 0; i < text.size();) {
        if (text[i].unicode() < 0x80) {
            out.append(char(text[i].unicode()));
            ++i;
            continue;
        }
        qsizetype length;
        const int code = codeAt(text, i, length);
        if (code < 0)
            out.append('?');
        else if (code < 0x100)
            out.append(char(code));
        else
            out.append(char(code >> 8)).append(char(code & 0xFF));
        i += length;
    }
}

QByteArray ToCp932(const QString &text)
{
    if (isAscii(text))
        return text.toLatin1();
    QByteArray out;
    out.reserve(text.size() * 2);
    AppendCp932(out, text);
    return out;
}

QString FromCp932(const QByteArray &bytes)
{
    // The same tables as writing: the platform converter would swap the
    // controls 0x1A, 0x1C and 0x7F, and a file would change on every rewrite.
    return Cp932ToText(bytes);
}

int Cp932Width(const QString &text)
{
    if (isAscii(text))
        return int(text.size());
    return int(ToCp932(text).size());
}

QString FirstCharWithoutCp932(QStringView text, qsizetype *count)
{
    QString first;
    qsizetype found = 0;
    for (qsizetype i = 0; i < text.size();) {
        qsizetype length = 1;
        const bool missing = text[i].unicode() >= 0x80 && codeAt(text, i, length) < 0;
        if (missing) {
            if (found++ == 0)
                first = text.mid(i, length).toString();
            if (!count)
                break;
        }
        i += length;
    }
    if (count)
        *count = found;
    return first;
}

QString QuotedChar(const QString &character)
{
    char32_t code = character.isEmpty() ? 0 : character.at(0).unicode();
    if (character.size() == 2 && character.at(0).isHighSurrogate() && character.at(1).isLowSurrogate())
        code = QChar::surrogateToUcs4(character.at(0), character.at(1));
    const QString hex = QString::number(uint(code), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    return QStringLiteral("「%1」(U+%2)").arg(character, hex);
}

} // namespace purslet
