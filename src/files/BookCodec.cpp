#include "files/BookCodec.h"

#include "platform/Codepage.h"
#include "platform/RuntimeError.h"

#include <array>

namespace purslet {

namespace {

// Digit values by character, -1 for anything else: one lookup per digit.
constexpr auto kHexValues = [] {
    std::array<signed char, 128> t{};
    for (auto &v : t)
        v = -1;
    for (int c = '0'; c <= '9'; ++c)
        t[size_t(c)] = static_cast<signed char>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c)
        t[size_t(c)] = static_cast<signed char>(c - 'A' + 10);
    for (int c = 'a'; c <= 'f'; ++c)
        t[size_t(c)] = static_cast<signed char>(c - 'a' + 10);
    return t;
}();

int hexValue(uchar c)
{
    return c < 128 ? kHexValues[c] : -1;
}

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
    QString out(field.size() / 4, Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < field.size(); i += 4) {
        int value = 0;
        for (qsizetype k = 0; k < 4; ++k) {
            const int digit = hexValue(uchar(field[i + k]));
            if (digit < 0)
                throw RuntimeError(RuntimeError::TypeMismatch);
            value = value * 16 + digit;
        }
        const int ch = Cp932CharOf((value - 0x8000) & 0xFFFF);
        if (ch < 0)
            throw RuntimeError(RuntimeError::InvalidCall);
        d[i / 4] = QChar(char16_t(ch));
    }
    return out;
}

} // namespace purslet
