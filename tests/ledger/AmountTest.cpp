#include "data/AmountFormat.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

using namespace purslet;

TEST(Amount, FormatsWithGroupsAndSign)
{
    EXPECT_EQ(FormatAmount(Amount()), QStringLiteral("0"));
    EXPECT_EQ(FormatAmount(Amount::fromYen(1234567)), QStringLiteral("1,234,567"));
    EXPECT_EQ(FormatAmount(Amount::fromYen(-500)), QStringLiteral("-500"));
    EXPECT_EQ(FormatAmount(Amount::fromYen(999)), QStringLiteral("999"));
    EXPECT_EQ(FormatAmount(Amount::fromYen(-1000)), QStringLiteral("-1,000"));
    EXPECT_EQ(FormatAmount(Amount::fromRaw(std::numeric_limits<qint64>::max())),
              QStringLiteral("922,337,203,685,478")); // .5807 rounds up
    EXPECT_EQ(FormatAmount(Amount::fromRaw(std::numeric_limits<qint64>::min())),
              QStringLiteral("-922,337,203,685,478"));
    EXPECT_EQ(FormatAmountBlank(Amount()), QString());
    EXPECT_EQ(FormatAmountBlank(Amount::fromYen(1000)), QStringLiteral("1,000"));
}

TEST(Amount, ParsesGroupsSignAndRejectsText)
{
    EXPECT_EQ(Amount::parse(u"1,234").raw(), 1234 * Amount::Scale);
    EXPECT_EQ(Amount::parse(u"-500").raw(), -500 * Amount::Scale);
    EXPECT_EQ(Amount::parse(u"922,337,203,685,477").raw(), 922337203685477LL * Amount::Scale);
    EXPECT_EQ(Amount::parse(u"12.5").raw(), 125000);
    EXPECT_THROW(Amount::parse(u"abc"), RuntimeError);
    EXPECT_THROW(Amount::parse(u""), RuntimeError);
    EXPECT_THROW(Amount::parse(u"1-2"), RuntimeError);
    try {
        Amount::parse(u"999,999,999,999,999");
        FAIL();
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), RuntimeError::Overflow);
    }
    try {
        Amount::parse(u"x");
        FAIL();
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), RuntimeError::TypeMismatch);
    }
    EXPECT_EQ(CellToAmount(u"---"), Amount());
    EXPECT_EQ(CellToAmount(u""), Amount());
    EXPECT_EQ(CellToAmount(u"1,234"), Amount::fromYen(1234));
}

TEST(Amount, SumsAreOverflowChecked)
{
    const Amount big = Amount::fromRaw(std::numeric_limits<qint64>::max() - 5);
    EXPECT_THROW(big + Amount::fromRaw(10), RuntimeError);
    EXPECT_THROW(Amount::fromRaw(std::numeric_limits<qint64>::min()) - Amount::fromRaw(1), RuntimeError);
    EXPECT_THROW(Amount::fromYen(std::numeric_limits<qint64>::max() / 100), RuntimeError);
    EXPECT_EQ((Amount::fromYen(5) - Amount::fromYen(7)).raw(), -2 * Amount::Scale);
}

TEST(Amount, FilterDigitsKeepsAsciiDigitsAndDropsOneLeadingZero)
{
    EXPECT_EQ(FilterDigits(QString()), QString());
    EXPECT_EQ(FilterDigits(QStringLiteral("0")), QStringLiteral("0"));
    EXPECT_EQ(FilterDigits(QStringLiteral("05")), QStringLiteral("5"));
    EXPECT_EQ(FilterDigits(QStringLiteral("007")), QStringLiteral("07"));
    EXPECT_EQ(FilterDigits(QStringLiteral("12a3")), QStringLiteral("123"));
    EXPECT_EQ(FilterDigits(QStringLiteral("1,000")), QStringLiteral("1000"));
    EXPECT_EQ(FilterDigits(QStringLiteral("１２３")), QString());
}

TEST(Amount, NarrowDigitsTurnsOnlyFullWidthDigitsIntoAscii)
{
    // Neighbours of the full-width digits stay, for the filter to drop.
    EXPECT_EQ(NarrowDigits(QStringLiteral("０１２３４５６７８９")), QStringLiteral("0123456789"));
    EXPECT_EQ(NarrowDigits(QStringLiteral("１,２００円／：ａ")), QStringLiteral("1,200円／：ａ"));
    EXPECT_EQ(FilterDigits(NarrowDigits(QStringLiteral("０１２"))), QStringLiteral("12"));
}
