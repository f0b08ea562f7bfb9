#include "platform/Codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace purslet {

namespace {
const char *const kName = "windows-31j";

bool isAscii(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}
} // namespace

QByteArray ToCp932(const QString &text)
{
    if (isAscii(text))
        return text.toLatin1();
    QStringEncoder encoder(kName);
    QByteArray out = encoder.encode(text);
    if (!encoder.hasError())
        return out;
    // Some character has no code: go character by character so that each
    // such character becomes one "?".
    out.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QStringEncoder one(kName);
        QByteArray part = one.encode(QStringView(text).mid(i, len));
        if (one.hasError() || part.isEmpty())
            out.append('?');
        else
            out.append(part);
        i += len - 1;
    }
    return out;
}

QString FromCp932(const QByteArray &bytes)
{
    bool ascii = true;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return QString::fromLatin1(bytes);
    QStringDecoder decoder(kName);
    return decoder.decode(bytes);
}

bool IsValidCp932(const QByteArray &bytes)
{
    QStringDecoder decoder(kName);
    QString s = decoder.decode(bytes);
    return !decoder.hasError();
}

int Cp932Width(const QString &text)
{
    if (isAscii(text))
        return int(text.size());
    return int(ToCp932(text).size());
}

} // namespace purslet
