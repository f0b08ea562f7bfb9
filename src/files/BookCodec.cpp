#include "files/BookCodec.h"

#include "platform/Cp932Codes.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"

#include <array>

namespace purslet {

namespace {

const char16_t kHexDigits[] = u"0123456789ABCDEF";

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

int hexValue(char16_t c)
{
    return c < 128 ? kHexValues[c] : -1;
}

void show(Ui *ui, const QString &text)
{
    if (ui)
        ShowStatus(*ui, text);
}

} // namespace

QString EncodeText(const QString &text, Ui *ui)
{
    show(ui, QStringLiteral("データを暗号化しています..."));
    if (text.isEmpty())
        return QString();
    QString out;
    out.resize(text.size() * 4);
    QChar *d = out.data();
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        int code = Cp932CodeOf(c.unicode());
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i; // one character outside the code page: one "?"
        if (code < 0)
            code = '?';
        const int sum = (code + 0x8000) & 0xFFFF;
        d[n++] = kHexDigits[(sum >> 12) & 0xF];
        d[n++] = kHexDigits[(sum >> 8) & 0xF];
        d[n++] = kHexDigits[(sum >> 4) & 0xF];
        d[n++] = kHexDigits[sum & 0xF];
    }
    out.truncate(n);
    show(ui, QStringLiteral("ファイルにデータを書きこんでいます..."));
    return out;
}

QString PadHex(const QString &digits)
{
    switch (digits.size()) {
    case 1: return QStringLiteral("000") + digits;
    case 2: return QStringLiteral("00") + digits;
    case 3: return QStringLiteral("0") + digits;
    default: return digits;
    }
}

namespace {
char16_t unit(QChar c)
{
    return c.unicode();
}

char16_t unit(char c)
{
    return uchar(c);
}

template <typename View>
QString decode(View field, Ui *ui)
{
    show(ui, QStringLiteral("ファイルを解析しています..."));
    if (field.isEmpty())
        return QString();
    if (field.size() % 4 != 0)
        throw RuntimeError(RuntimeError::TypeMismatch, QStringLiteral("暗号化されたデータの桁数が不正です。"));
    QString out(field.size() / 4, Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < field.size(); i += 4) {
        int value = 0;
        for (qsizetype k = 0; k < 4; ++k) {
            const int digit = hexValue(unit(field[i + k]));
            if (digit < 0)
                throw RuntimeError(RuntimeError::TypeMismatch);
            value = value * 16 + digit;
        }
        const int ch = Cp932CharOf((value - 0x8000) & 0xFFFF);
        if (ch < 0)
            throw RuntimeError(RuntimeError::InvalidCall);
        d[i / 4] = QChar(char16_t(ch));
    }
    show(ui, QStringLiteral("ファイルを読みこんでいます..."));
    return out;
}
} // namespace

QString DecodeText(QStringView field, Ui *ui)
{
    return decode(field, ui);
}

QString DecodeText(QByteArrayView field, Ui *ui)
{
    return decode(field, ui);
}

} // namespace purslet
