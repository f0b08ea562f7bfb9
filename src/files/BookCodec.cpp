#include "files/BookCodec.h"

#include "platform/Codepage.h"
#include "platform/RuntimeError.h"

#include <array>

namespace purslet {

namespace {

// Digit values by byte, kNotHex for anything else: one lookup per digit, and
// one test for all four digits of a character.
constexpr uchar kNotHex = 0x80;
constexpr auto kHexValues = [] {
    std::array<uchar, 256> t{};
    for (auto &v : t)
        v = kNotHex;
    for (int c = '0'; c <= '9'; ++c)
        t[size_t(c)] = uchar(c - '0');
    for (int c = 'A'; c <= 'F'; ++c)
        t[size_t(c)] = uchar(c - 'A' + 10);
    for (int c = 'a'; c <= 'f'; ++c)
        t[size_t(c)] = uchar(c - 'a' + 10);
    return t;
}();

} // namespace

void AppendEncodedText(QByteArray &out, QStringView text)
{
    static const char kHex[] = "0123456789ABCDEF";
    const qsizetype start = out.size();
    out.resize(start + 4 * text.size());
    char *d = out.data() + start;
    for (qsizetype i = 0, length = 1; i < text.size(); i += length) {
        int code = Cp932CodeAt(text, i, length);
        if (code < 0)
            code = '?';
        const int sum = (code + 0x8000) & 0xFFFF;
        *d++ = kHex[(sum >> 12) & 0xF];
        *d++ = kHex[(sum >> 8) & 0xF];
        *d++ = kHex[(sum >> 4) & 0xF];
        *d++ = kHex[sum & 0xF];
    }
    out.truncate(d - out.constData());
}

QString DecodeText(QByteArrayView field)
{
    if (field.isEmpty())
        return QString();
    if (field.size() % 4 != 0)
        throw RuntimeError(RuntimeError::TypeMismatch, QStringLiteral("暗号化されたデータの桁数が不正です。"));
    const char16_t *const chars = Cp932TableData().chars;
    QString out(field.size() / 4, Qt::Uninitialized);
    QChar *d = out.data();
    const auto *p = reinterpret_cast<const uchar *>(field.data());
    for (const auto *end = p + field.size(); p != end; p += 4) {
        const uint a = kHexValues[p[0]], b = kHexValues[p[1]], c = kHexValues[p[2]], e = kHexValues[p[3]];
        if ((a | b | c | e) & kNotHex)
            throw RuntimeError(RuntimeError::TypeMismatch);
        // The code with its top bit flipped back.
        const char16_t ch = chars[((a << 12) | (b << 8) | (c << 4) | e) ^ 0x8000];
        if (ch == 0xFFFF)
            throw RuntimeError(RuntimeError::InvalidCall);
        *d++ = QChar(ch);
    }
    return out;
}

} // namespace purslet
