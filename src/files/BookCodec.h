#pragma once

#include <QByteArrayView>
#include <QString>

namespace purslet {

class Ui;

// The hexadecimal text encoding of the book files: four upper-case digits per
// character, its code page 932 code with the top bit flipped.
QString EncodeText(const QString &text, Ui *ui = nullptr);
// "0"/"00"/"000" in front of a text of three/two/one digits.
QString PadHex(const QString &digits);
// Throws RuntimeError for digits that are not hexadecimal or no character code.
QString DecodeText(QStringView field, Ui *ui = nullptr);
// The same on the bytes of a file, without making a string of them first.
QString DecodeText(QByteArrayView field, Ui *ui = nullptr);

} // namespace purslet
