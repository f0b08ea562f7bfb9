#include "files/BookCodec.h"
#include "files/BookKind.h"
#include "platform/Codepage.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

using namespace purslet;

namespace {
// The writer's encoding of one text, as the digits stand in the file.
QString encode(const QString &text)
{
    QByteArray out;
    AppendEncodedText(out, text);
    return QString::fromLatin1(out);
}

int errorOf(const QByteArray &field)
{
    try {
        DecodeText(field);
    } catch (const RuntimeError &e) {
        return e.number();
    }
    return 0;
}
} // namespace

TEST(BookCodec, EncodesTheDocumentedExamples)
{
    EXPECT_EQ(encode(QStringLiteral("A")), QStringLiteral("8041"));
    EXPECT_EQ(encode(QStringLiteral("1999/04/01")), QStringLiteral("8031803980398039802F80308034802F80308031"));
    EXPECT_EQ(encode(QStringLiteral("1,000")), QStringLiteral("8031802C803080308030"));
    EXPECT_EQ(encode(QStringLiteral("その他")), QStringLiteral("02BB02CC11BC"));
    EXPECT_EQ(encode(QString()), QString());
    // Half-width katakana is single-byte: 0xB1 -> 80B1.
    EXPECT_EQ(encode(QStringLiteral("ｱ")), QStringLiteral("80B1"));
}

TEST(BookCodec, CharacterWithoutCodeBecomesOneQuestionMark)
{
    EXPECT_EQ(encode(QStringLiteral("€")), QStringLiteral("803F"));
    // A character outside the basic plane is two UTF-16 units but one "?".
    EXPECT_EQ(encode(QStringLiteral("a😀b")), QStringLiteral("8061803F8062"));
    EXPECT_EQ(encode(QString(QChar(0xD800))), QStringLiteral("803F"));
}

TEST(BookCodec, DecodesUpperAndLowerCaseDigits)
{
    EXPECT_EQ(DecodeText("02BB02CC11BC"), QStringLiteral("その他"));
    EXPECT_EQ(DecodeText("02bb02cc11bc"), QStringLiteral("その他"));
    EXPECT_EQ(DecodeText("8041"), QStringLiteral("A"));
    EXPECT_EQ(DecodeText(""), QString());
    EXPECT_EQ(DecodeText("80ff"), DecodeText("80FF"));
    EXPECT_EQ(DecodeText("80ff"), QString(QChar(0xF8F3))); // as Windows maps 0xFF
    EXPECT_EQ(encode(QString(QChar(0xF8F3))), QStringLiteral("80FF"));
}

TEST(BookCodec, RejectsBrokenFields)
{
    EXPECT_EQ(errorOf(QByteArray("804")), RuntimeError::TypeMismatch);     // partial group
    EXPECT_EQ(errorOf(QByteArray("80418")), RuntimeError::TypeMismatch);
    EXPECT_EQ(errorOf(QByteArray("80G1")), RuntimeError::TypeMismatch);    // not a digit
    EXPECT_EQ(errorOf(QByteArray(" 8041")), RuntimeError::TypeMismatch);
    EXPECT_EQ(errorOf(QByteArray("8081")), RuntimeError::InvalidCall);     // a lead byte alone
    EXPECT_EQ(errorOf(QByteArray("0000")), RuntimeError::InvalidCall);     // 0x8000 is no character
    EXPECT_EQ(errorOf(QByteArray("41418041")), RuntimeError::InvalidCall); // 0xC141: no lead byte
}

TEST(BookCodec, EveryCharacterCodeSurvivesEncodingAndDecoding)
{
    int codes = 0;
    for (int code = 0; code < 0x10000; ++code) {
        const int ch = Cp932CharOf(code);
        if (ch < 0)
            continue;
        ++codes;
        const QString text{QChar(char16_t(ch))};
        ASSERT_EQ(DecodeText(encode(text).toLatin1()), text) << "code " << code;
        // The table agrees with the platform converter, but for the five
        // single bytes only Windows maps.
        if (code == 0x80 || code == 0xA0 || (code >= 0xFD && code <= 0xFF))
            continue;
        QByteArray bytes;
        if (code >= 0x100)
            bytes.append(char(code >> 8));
        bytes.append(char(code & 0xFF));
        ASSERT_EQ(FromCp932(bytes), text) << "code " << code;
        // Of several codes for one character, the one the converter writes.
        const QByteArray written = ToCp932(text);
        const int writtenCode = written.size() == 1 ? uchar(written[0]) : uchar(written[0]) * 256 + uchar(written[1]);
        ASSERT_EQ(Cp932CodeOf(char16_t(ch)), writtenCode) << "code " << code;
    }
    EXPECT_GT(codes, 7000);
}

TEST(BookKind, ChosenByTheLastThreeCharacters)
{
    EXPECT_EQ(KindOfPath(QStringLiteral("/home/u/BOOK.PSL")), BookKind::Own);
    EXPECT_EQ(KindOfPath(QStringLiteral("x.Psl")), BookKind::Own);
    EXPECT_EQ(KindOfPath(QStringLiteral("/tmp/old.bak")), BookKind::Backup);
    EXPECT_EQ(KindOfPath(QStringLiteral("a.csv")), BookKind::Text);
    EXPECT_EQ(KindOfPath(QStringLiteral("a.txt")), BookKind::Text);
    EXPECT_EQ(KindOfPath(QStringLiteral("a.dat")), BookKind::Text);
    EXPECT_EQ(KindOfPath(QStringLiteral("/tmp/book")), BookKind::Text);
    EXPECT_EQ(KindOfPath(QStringLiteral("/tmp/mybookpsl")), BookKind::Own); // no dot needed
}
