// The settings-file reader and writer on arbitrary bytes.
#include "data/IniFile.h"

#include <cstdint>
#include <cstdlib>

using namespace purslet;

namespace {
void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool isPlainAscii(const QString &s)
{
    for (QChar c : s)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    IniFile ini = IniFile::parse(bytes);
    (void)ini.value(QStringLiteral("Setup"), QStringLiteral("Left"));
    (void)ini.value(QStringLiteral("FileHistory"), QStringLiteral("1"));

    // A value taken from the input, set and read back through the bytes.
    const QString value = QString::fromLatin1(bytes.left(40)).simplified();
    ini.setValue(QStringLiteral("FileHistory"), QStringLiteral("1"), value);
    ini.setValue(QStringLiteral("New Section"), QStringLiteral("Key"), QStringLiteral("x"));
    const QByteArray written = ini.serialize();
    const IniFile back = IniFile::parse(written);
    if (isPlainAscii(value))
        check(back.value(QStringLiteral("FileHistory"), QStringLiteral("1")) == value);
    check(back.value(QStringLiteral("New Section"), QStringLiteral("Key")) == QStringLiteral("x"));
    // Writing what was read changes nothing more.
    check(back.serialize() == written);
    return 0;
}
