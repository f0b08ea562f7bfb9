#include "PrintBooks.h"

#include "data/Book.h"
#include "printing/PrintLayout.h"

#include <gtest/gtest.h>

using namespace purslet;
using namespace purslet::test;

namespace {

QString spaces(int n)
{
    return QString(n, QLatin1Char(' '));
}

QString matterCell(const QString &matter)
{
    Book book = emptyBook();
    addRecord(book, {"2000/01/01", matter, "", "", "0", ""});
    const QString line = CashBookLines(book).at(4);
    return line.section(QLatin1Char('|'), 1, 1);
}

} // namespace

TEST(PrintLayout, CashBookHeaderAndRecordRows)
{
    Book book = emptyBook();
    addRecord(book, {"1999/04/01", "", "1,000", "", "1,000", ""});
    const QStringList lines = CashBookLines(book);

    EXPECT_EQ(lines.at(3), "記入日" + spaces(4) + "|事柄" + spaces(16) + "|" + spaces(15) + "収入|" + spaces(15)
                               + "支出|" + spaces(16) + "小計|メモ");
    EXPECT_EQ(lines.at(4),
              "1999/04/01|" + spaces(20) + "|" + spaces(14) + "1,000|" + spaces(19) + "|" + spaces(15) + "1,000|");
}

TEST(PrintLayout, EmptyBookPrintsHeaderAndTrailingRows)
{
    const QStringList lines = CashBookLines(emptyBook());
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines.mid(0, 3), QStringList({"", "", ""}));
    EXPECT_TRUE(lines.at(3).startsWith("記入日"));
    EXPECT_EQ(lines.at(4), spaces(10) + "|" + spaces(20) + "|" + spaces(19) + "|" + spaces(19) + "|" + spaces(20) + "|");
    EXPECT_EQ(lines.at(5), lines.at(4));
    EXPECT_EQ(lines.at(6), "合計" + spaces(6) + "|---" + spaces(17) + "|" + spaces(18) + "0|" + spaces(18) + "0|"
                               + spaces(19) + "0|---");
}

TEST(PrintLayout, MatterIsCutToTwentyBytes)
{
    // Eleven full-width characters: ten fit.
    EXPECT_EQ(matterCell("あいうえおかきくけこさ"), "あいうえおかきくけこ");
    // Twenty half-width characters fit whole; a twenty-first is cut.
    EXPECT_EQ(matterCell("abcdefghijklmnopqrst"), "abcdefghijklmnopqrst");
    EXPECT_EQ(matterCell("abcdefghijklmnopqrstu"), "abcdefghijklmnopqrst");
    // A double-byte character split by the cut is left out; the byte becomes fill.
    EXPECT_EQ(matterCell("abcdefghijklmnopqrsあ"), "abcdefghijklmnopqrs ");
    // Half-width katakana count one byte each.
    EXPECT_EQ(matterCell("ｱﾙﾊﾞｲﾄ"), "ｱﾙﾊﾞｲﾄ" + spaces(14));
    EXPECT_EQ(matterCell(QString(25, QChar(0xFF71))), QString(20, QChar(0xFF71)));
    // A character without a code prints as one "?" byte.
    EXPECT_EQ(matterCell("😀食費"), "😀食費" + spaces(15));
}

TEST(PrintLayout, MemoIsNeitherCutNorPadded)
{
    Book book = emptyBook();
    const QString memo = QString("長いメモ").repeated(30) + " end";
    addRecord(book, {"2000/01/01", "食費", "", "120", "-120", memo});
    const QString line = CashBookLines(book).at(4);
    EXPECT_TRUE(line.endsWith("|" + memo));
    EXPECT_EQ(line.count(QLatin1Char('|')), 5);
}

TEST(PrintLayout, WideCellsGetNoFill)
{
    Book book = emptyBook();
    // A hand-made date wider than its column keeps all of its text.
    addRecord(book, {"2000/01/01 (土)", "", "", "", "922,337,203,685,477", ""});
    const QString line = CashBookLines(book).at(4);
    EXPECT_TRUE(line.startsWith("2000/01/01 (土)|"));
    EXPECT_TRUE(line.endsWith("| 922,337,203,685,477|"));
}

TEST(PrintLayout, SummaryTablesLayOutTheirColumns)
{
    Book book = emptyBook();
    book.msfgIncome.insertRow(1, {"お小遣い", "30,000", "30,000", "100", "0"});
    book.msfgOutgo.insertRow(1, {"交通費", "---", "5,000", "6,200", "25", "-1,200"});

    const QStringList income = IncomeSummaryLines(book);
    EXPECT_EQ(income.at(3), "事柄" + spaces(16) + "|" + spaces(9) + "収入予定額|" + spaces(15) + "収入|割合|"
                                + spaces(16) + "差額");
    EXPECT_EQ(income.at(4), "お小遣い" + spaces(12) + "|" + spaces(13) + "30,000|" + spaces(13) + "30,000| 100|"
                                + spaces(19) + "0");

    const QStringList outgo = OutgoSummaryLines(book);
    EXPECT_EQ(outgo.at(4), "交通費" + spaces(14) + "|" + spaces(16) + "---|" + spaces(14) + "5,000|" + spaces(14)
                               + "6,200|  25|" + spaces(14) + "-1,200");
    EXPECT_EQ(outgo.at(7), "合計" + spaces(16) + "|" + spaces(16) + "---|" + spaces(18) + "0|" + spaces(18) + "0|"
                               + spaces(3) + "0|" + spaces(19) + "0");
}

TEST(PrintLayout, PrintAllRunsTheThreeTablesInOrder)
{
    Book book = emptyBook();
    addRecord(book, {"1999/04/01", "", "1,000", "", "1,000", ""});
    const QStringList all = PrintAllLines(book);
    const QStringList expected = CashBookLines(book) + IncomeSummaryLines(book) + OutgoSummaryLines(book);
    EXPECT_EQ(all, expected);
    // The income table follows the cash book after three empty lines.
    ASSERT_EQ(all.size(), 8 + 7 + 7);
    EXPECT_EQ(all.mid(8, 3), QStringList({"", "", ""}));
    EXPECT_TRUE(all.at(11).startsWith("事柄" + spaces(16) + "|" + spaces(9) + "収入予定額"));
}

TEST(PrintLayout, Utf8TextIsTheLinesEndedByLineFeeds)
{
    // Every character of the basic plane in every kind of column: cut,
    // padded on either side, free.
    Book plane = emptyBook();
    QString all;
    for (char32_t c = 0; c < 0x10000; ++c)
        if (c < 0xD800 || c > 0xDFFF)
            all += QChar(char16_t(c));
    for (qsizetype i = 0; i < all.size(); i += 23) {
        const QString piece = all.mid(i, 23);
        addRecord(plane, {piece.left(12), piece, piece.left(5), piece.right(5), piece, piece});
    }
    // A surrogate pair after the first record.
    Book pair = emptyBook();
    addRecord(pair, {"1999/04/02", "ｱﾙﾊﾞｲﾄ", "2,000", "", "3,000", ""});
    addRecord(pair, {"1999/04/01", "お小遣い😀", "1,000", "", "1,000", "メモ"});
    for (const Book *book : {&plane, &pair}) {
        QByteArray expected;
        for (const QString &line : PrintAllLines(*book))
            expected += line.toUtf8() + '\n';
        EXPECT_EQ(PrintAllUtf8(*book), expected);
    }
}
