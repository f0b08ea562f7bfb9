#include "files/BookCodec.h"

#include "files/Cp932Codes.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"

namespace purslet {

namespace {

const char16_t kHexDigits[] = u"0123456789ABCDEF";

int hexValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
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
