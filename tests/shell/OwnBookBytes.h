#pragma once

#include "platform/Codepage.h"

#include <QByteArrayList>
#include <QList>
#include <QStringList>

namespace purslet::test {

// A field of an own book file: each character's code page 932 code with the top bit flipped.
inline QByteArray encoded(const QString &text)
{
    QByteArray out;
    const QByteArray bytes = ToCp932(text);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        unsigned code = quint8(bytes[i]);
        if ((code >= 0x81 && code <= 0x9F) || (code >= 0xE0 && code <= 0xFC))
            code = code * 256 + quint8(bytes[++i]);
        out += QByteArray::number((code + 0x8000) & 0xFFFF, 16).toUpper().rightJustified(4, '0');
    }
    return out;
}

inline QByteArray ownBook(const QString &password, const QList<QStringList> &records)
{
    QByteArray bytes = '"' + encoded(password) + "\"\r\n";
    for (const QStringList &record : records) {
        QByteArrayList fields;
        for (const QString &field : record)
            fields << '"' + encoded(field) + '"';
        bytes += fields.join(',') + "\r\n";
    }
    return bytes;
}

} // namespace purslet::test
