#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace purslet {

// The hexadecimal text encoding of the book files: four upper-case digits per
// character, its code page 932 code with the top bit flipped. A character
// without a code is written as "?" (a surrogate pair is one character).
void AppendEncodedText(QByteArray &out, QStringView text);
// Throws RuntimeError for digits that are not hexadecimal or no character code.
QString DecodeText(QByteArrayView field);

} // namespace purslet
