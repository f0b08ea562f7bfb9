#include "OwnBookBytes.h"
#include "ProgramRun.h"
#include "TempHome.h"

#include "files/BookFormat.h"
#include "files/EncryptedBook.h"
#include "data/Book.h"
#include "platform/Codepage.h"

#include <gtest/gtest.h>

using namespace purslet;
using namespace purslet::test;

namespace {

class EncryptedCommandLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        home.writeText("Income.ini", "[0]\nMatter=お小遣い\nEstimate=3,000\n");
        home.writeText("Outgo.ini", "[0]\nMatter=食費\nEstimate=1,000\n");
    }

    ProgramRun run(const QStringList &arguments, const QByteArray &password = "pw\n")
    {
        return RunProgram(arguments + QStringList{"--password-stdin"}, password);
    }

    TempHome home;
};

// The largest book as a text file: dates climbing, a memo on every record.
QByteArray largestBook()
{
    std::vector<BookRecord> records;
    for (int i = 0; i < kMaxRecords; ++i)
        records.push_back({QStringLiteral("20%1/%2/%3")
                               .arg(10 + i / 4000)
                               .arg(1 + i / 334 % 12, 2, 10, QLatin1Char('0'))
                               .arg(1 + i % 28, 2, 10, QLatin1Char('0')),
                           i % 3 ? QStringLiteral("食費") : QStringLiteral("お小遣い"),
                           i % 3 ? QString() : QStringLiteral("1,000"), i % 3 ? QStringLiteral("650") : QString(),
                           QStringLiteral("メモ %1").arg(i)});
    return SerializeBook(records, BookKind::Text);
}

} // namespace

TEST_F(EncryptedCommandLine, ConvertEncryptsAndDecryptsAndEveryCommandReads)
{
    home.write("book.psl", ownBook("", {{"2026/04/01", "お小遣い", "3,000", "", "秘密のメモ"},
                                        {"2026/04/03", "食費", "", "650", "学食"}}));
    ProgramRun r = run({"--convert", home.file("book.psl"), home.file("book.pslx")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    const QByteArray sealed = home.read("book.pslx");
    EXPECT_TRUE(IsEncryptedBook(sealed));
    EXPECT_FALSE(sealed.contains(ToCp932(QStringLiteral("秘密のメモ"))));

    const ProgramRun plain = RunProgram({"--report", home.file("book.psl")});
    r = run({"--report", home.file("book.pslx")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, plain.out);
    r = run({"--advice", home.file("book.pslx")});
    EXPECT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, RunProgram({"--advice", home.file("book.psl")}).out);

    r = run({"--convert", home.file("book.pslx"), home.file("book.csv")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_TRUE(home.read("book.csv").contains(ToCp932(QStringLiteral("秘密のメモ"))));
}

TEST_F(EncryptedCommandLine, WrongMissingAndEmptyPasswordsAreRefused)
{
    home.write("book.psl", ownBook("", {{"2026/04/01", "", "1", "", ""}}));
    ASSERT_EQ(run({"--convert", home.file("book.psl"), home.file("book.pslx")}).exitCode, 0);

    const struct
    {
        QStringList arguments;
        QByteArray input;
        const char *error;
    } cases[] = {
        {{"--report", home.file("book.pslx")}, "PW\n", "パスワードが違うためファイルが開けません。"},
        {{"--report", home.file("book.pslx")}, "\n", "パスワードが違うためファイルが開けません。"},
        {{"--convert", home.file("book.psl"), home.file("empty.pslx")}, "\n", "パスワードが必要です"},
    };
    for (const auto &c : cases) {
        const ProgramRun r = run(c.arguments, c.input);
        EXPECT_EQ(r.exitCode, 1) << qPrintable(c.arguments.join(' '));
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.error))) << qPrintable(r.err);
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_FALSE(home.exists("empty.pslx"));

    // Changed on disk: refused with a message, nothing printed.
    QByteArray changed = home.read("book.pslx");
    changed[changed.size() - 3] = char(changed[changed.size() - 3] ^ 0x40);
    home.write("changed.pslx", changed);
    const ProgramRun r = run({"--report", home.file("changed.pslx")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("壊れているか書き換えられている"))) << qPrintable(r.err);
    EXPECT_TRUE(r.out.isEmpty());
}

TEST_F(EncryptedCommandLine, TheLargestBookRoundTripsByteForByte)
{
    const QByteArray text = largestBook();
    home.write("big.csv", text);
    ProgramRun r = run({"--convert", home.file("big.csv"), home.file("big.pslx")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    r = run({"--convert", home.file("big.pslx"), home.file("back.csv")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_EQ(home.read("back.csv"), text);
}
