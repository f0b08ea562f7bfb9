#include "platform/Codepage.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <memory>

namespace purslet {

namespace {

constexpr char16_t kNone = 0xFFFF; // a noncharacter: never a mapping
constexpr quint16 kNoCode = 0;     // code 0 is NUL, which is ASCII and kept apart

// The platform's converter, asked once per code while the tables are built.
const char *const kConverter = "windows-31j";

// One decoder and one encoder for the whole build: opening the platform's
// converter costs more than converting a row. Their error flags stay set
// once raised, so what is clean is judged by the text given back, state
// reset before each use.
struct Converter
{
    QStringDecoder decoder{kConverter};
    QStringEncoder encoder{kConverter};

    // The characters of the bytes; false when some byte sequence has no
    // character (the decoder gives U+FFFD, or U+001A where the code page's
    // substitute byte stands, for it: neither is any double-byte code's).
    bool convertsCleanly(const QByteArray &bytes, QString &text)
    {
        decoder.resetState();
        text = decoder.decode(bytes);
        for (const QChar c : std::as_const(text))
            if (c == QChar::ReplacementCharacter || (c == QChar(0x1A) && !bytes.contains('\x1A')))
                return false;
        return true;
    }

    QByteArray bytesOf(QChar ch)
    {
        encoder.resetState();
        return encoder.encode(QStringView(&ch, 1));
    }
};

// Linux input methods give these Unicode forms where Windows has the code
// page's own character; written as that character instead of "?".
constexpr struct
{
    char16_t ch;
    quint16 code;
} kVariants[] = {
    {0x301C, 0x8160}, // wave dash
    {0x2016, 0x8161}, // double vertical line
    {0x2212, 0x817C}, // minus sign
    {0x00A2, 0x8191}, // cent sign
    {0x00A3, 0x8192}, // pound sign
    {0x00AC, 0x81CA}, // not sign
    {0x2014, 0x815C}, // em dash
};

bool isLeadByte(int b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrailByte(int b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// Bytes that Windows maps in code page 932 and ICU leaves out; old books
// may hold them (80FF decodes like any other field).
char16_t windowsOnly(int b)
{
    switch (b) {
    case 0x80: return 0x0080;
    case 0xA0: return 0x00A0;
    case 0xFD: return 0xF8F1;
    case 0xFE: return 0xF8F2;
    case 0xFF: return 0xF8F3;
    default: return 0;
    }
}

struct Tables
{
    std::array<char16_t, 0x10000> chars; // code -> character
    std::array<quint16, 0x10000> codes;  // character -> code (kNoCode: none)

    Tables()
    {
        Converter converter;
        chars.fill(kNone);
        codes.fill(kNoCode);
        for (int b = 0; b < 0x100; ++b) {
            if (isLeadByte(b))
                continue;
            const QByteArray one(1, char(b));
            if (b < 0x80)
                chars[size_t(b)] = char16_t(b);
            else if (const char16_t extra = windowsOnly(b))
                chars[size_t(b)] = extra;
            else if (QString s; converter.convertsCleanly(one, s) && s.size() == 1)
                chars[size_t(b)] = s.at(0).unicode();
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLeadByte(lead))
                continue;
            // Most rows map whole; only the others are taken code by code.
            QByteArray row;
            for (int trail = 0x40; trail <= 0xFC; ++trail)
                if (isTrailByte(trail))
                    row.append(char(lead)).append(char(trail));
            QString whole;
            if (converter.convertsCleanly(row, whole) && whole.size() == row.size() / 2) {
                for (qsizetype i = 0; i < whole.size(); ++i)
                    chars[size_t(lead * 256 + uchar(row.at(2 * i + 1)))] = whole.at(i).unicode();
                continue;
            }
            for (qsizetype i = 0; i < row.size(); i += 2) {
                const QByteArray two = row.mid(i, 2);
                QString s;
                if (converter.convertsCleanly(two, s) && s.size() == 1 && !s.at(0).isSurrogate())
                    chars[size_t(lead * 256 + uchar(two.at(1)))] = s.at(0).unicode();
            }
        }

        // Several codes share a character (the NEC and IBM extensions): the
        // converter's own choice wins, so that we write what it would write.
        std::array<quint8, 0x10000> seen{};
        for (int code = 0; code < 0x10000; ++code) {
            const char16_t ch = chars[size_t(code)];
            if (ch == kNone)
                continue;
            if (seen[ch] < 2)
                ++seen[ch];
            if (seen[ch] == 1)
                codes[ch] = quint16(code);
        }
        for (int ch = 0; ch < 0x10000; ++ch) {
            if (seen[size_t(ch)] < 2)
                continue;
            const QByteArray bytes = converter.bytesOf(QChar(char16_t(ch)));
            if (bytes.size() == 1)
                codes[size_t(ch)] = uchar(bytes.at(0));
            else if (bytes.size() == 2)
                codes[size_t(ch)] = quint16(uchar(bytes.at(0)) * 256 + uchar(bytes.at(1)));
        }
        for (const auto &v : kVariants)
            if (codes[v.ch] == kNoCode)
                codes[v.ch] = v.code;
    }
};

const Tables &tables()
{
    static const std::unique_ptr<Tables> t = std::make_unique<Tables>();
    return *t;
}

} // namespace

Cp932Tables Cp932TableData()
{
    const Tables &t = tables();
    return {t.codes.data(), t.chars.data()};
}

int Cp932CodeOf(char16_t ch)
{
    if (ch == 0)
        return 0;
    const quint16 code = tables().codes[ch];
    return code == kNoCode ? -1 : code;
}

int Cp932CharOf(int code)
{
    if (code < 0 || code > 0xFFFF)
        return -1;
    const char16_t ch = tables().chars[size_t(code)];
    return ch == kNone ? -1 : ch;
}

QString Cp932Form(const QString &text)
{
    const Tables &t = tables();
    const auto formOf = [&t](char16_t ch) {
        const quint16 code = t.codes[ch];
        return code == kNoCode ? ch : t.chars[code];
    };
    qsizetype i = 0;
    while (i < text.size() && formOf(text[i].unicode()) == text[i].unicode())
        ++i;
    if (i == text.size())
        return text; // the usual case: nothing to copy
    QString form = text;
    for (QChar *c = form.data() + i, *end = form.data() + form.size(); c != end; ++c)
        *c = QChar(formOf(c->unicode()));
    return form;
}

QString FromCp932(QByteArrayView bytes)
{
    const Tables &t = tables();
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *d = out.data();
    qsizetype n = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const int b = uchar(bytes[i]);
        int code = b;
        if (isLeadByte(b) && i + 1 < bytes.size() && isTrailByte(uchar(bytes[i + 1])))
            code = b * 256 + uchar(bytes[++i]);
        const char16_t ch = t.chars[size_t(code)];
        d[n++] = ch == kNone ? QChar(QChar::ReplacementCharacter) : QChar(ch);
    }
    out.truncate(n);
    return out;
}

void AppendCp932(QByteArray &out, QStringView text)
{
    for (qsizetype i = 0, length = 1; i < text.size(); i += length) {
        const int code = Cp932CodeAt(text, i, length);
        if (code < 0)
            out.append('?');
        else if (code < 0x100)
            out.append(char(code));
        else
            out.append(char(code >> 8)).append(char(code & 0xFF));
    }
}

QByteArray ToCp932(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    AppendCp932(out, text);
    return out;
}

int Cp932Width(QStringView text)
{
    int width = 0;
    for (qsizetype i = 0, length = 1; i < text.size(); i += length)
        width += Cp932WidthAt(text, i, length);
    return width;
}

QString FirstCharWithoutCp932(QStringView text, qsizetype *count)
{
    QString first;
    qsizetype found = 0;
    for (qsizetype i = 0, length = 1; i < text.size(); i += length) {
        if (Cp932CodeAt(text, i, length) >= 0)
            continue;
        if (found++ == 0)
            first = text.mid(i, length).toString();
        if (!count)
            break;
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
