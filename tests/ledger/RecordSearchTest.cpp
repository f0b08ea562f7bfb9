#include "../matters/BookFixture.h"

#include "calc/RecordSearch.h"
#include "data/Book.h"
#include "operations/BookOperations.h"
#include "presenters/FindPresenter.h"

#include <gtest/gtest.h>

namespace purslet::test {
namespace {

// Five records over two months, written with full-width, half-width and
// kana forms that finding must see as the same.
class RecordSearchTest : public BookFixture
{
protected:
    void SetUp() override
    {
        writeCatalog(QStringLiteral("Income"), {QStringLiteral("給料")});
        writeCatalog(QStringLiteral("Outgo"), {QStringLiteral("食費"), QStringLiteral("本")});
        ResetBook(app);
        addRecords({{"2026/10/05", "給料", "1,200", "", "ＡＢＣ商店"},
                    {"2026/10/20", "食費", "", "12,000", "カフェ"},
                    {"2026/11/03", "ガス代", "", "1,200", "abc"},
                    {"2026/11/12", "本", "", "300", "ﾊﾟﾝ 1200円"},
                    {"2026/11/28", "食費", "", "500", "パン"}});
        recalc();
    }
};

TEST_F(RecordSearchTest, MatterMemoAndAmountMatchWhateverTheWidthAndCase)
{
    struct Case
    {
        const char *period;
        const char *text;
        std::vector<int> rows; // grid rows of the cash book shown
    };
    const Case cases[] = {
        {"", "abc", {1, 3}},
        {"", "ＡＢＣ", {1, 3}},
        {"", "Abc商", {1}},
        {"", "ｶﾌｪ", {2}},
        {"", "パン", {4, 5}},
        {"", "食費", {2, 5}},
        {"", "1200", {1, 3, 4}},
        {"", "１２００", {1, 3, 4}},
        {"", "1,200", {1, 3}},
        {"", "12000", {2}},
        {"", "xyz", {}},
        {"", "", {}},
        // A month: its own rows, after the balance brought forward.
        {"2026/11", "パン", {3, 4}},
        {"2026/11", "1200", {2, 3}},
        {"2026/10", "abc", {2}},
        {"2026/10", "ガス", {}},
    };
    for (const Case &c : cases) {
        ShowPeriod(app, QString::fromUtf8(c.period));
        EXPECT_EQ(MatchingRows(app.book, QString::fromUtf8(c.text)), c.rows) << c.period << " " << c.text;
    }
}

TEST_F(RecordSearchTest, StepsWrapAroundAndFollowTheBook)
{
    FindPresenter find(app);
    struct Case
    {
        const char *text;
        int from, direction, row;
        const char *status;
    };
    const Case cases[] = {
        {"1200", 0, +1, 1, "1 / 3 件"},
        {"1200", 1, +1, 3, "2 / 3 件"},
        {"1200", 4, +1, 1, "1 / 3 件"},
        {"1200", 3, -1, 1, "1 / 3 件"},
        {"1200", 1, -1, 4, "3 / 3 件"},
        {"1200", 2, -1, 1, "1 / 3 件"},
        {"xyz", 1, +1, -1, "「xyz」に一致する記録はありません"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(find.step(QString::fromUtf8(c.text), c.from, c.direction), c.row) << c.text << " " << c.from;
        EXPECT_EQ(ui.lastStatus(), QString::fromUtf8(c.status));
    }

    // The matches kept for a text go when the records or the period change.
    EXPECT_EQ(find.step(QStringLiteral("パン"), 0, +1), 4);
    EXPECT_EQ(ui.lastStatus(), QStringLiteral("1 / 2 件"));
    addRecords({{"2026/12/01", "食費", "", "100", "ぱんパン"}});
    recalc();
    app.notify(AppChange::Book);
    EXPECT_EQ(find.step(QStringLiteral("パン"), 5, +1), 6);
    EXPECT_EQ(ui.lastStatus(), QStringLiteral("3 / 3 件"));
    ShowPeriod(app, QStringLiteral("2026/12"));
    EXPECT_EQ(find.step(QStringLiteral("パン"), 0, +1), 2);
    EXPECT_EQ(ui.lastStatus(), QStringLiteral("1 / 1 件"));
}

} // namespace
} // namespace purslet::test
