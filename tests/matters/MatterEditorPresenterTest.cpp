#include "ScriptedUi.h"
#include "TempHome.h"
#include "data/Book.h"
#include "calc/BookReset.h"
#include "calc/Catalogs.h"
#include "presenters/MatterEditorPresenter.h"
#include "state/App.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace purslet;
using purslet::test::ScriptedUi;
using purslet::test::TempHome;

namespace {

class MatterEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        home.writeText(QStringLiteral("Outgo.ini"),
                       QStringLiteral("[0]\nMatter=食費\nEstimate=30,000\n[1]\nMatter=本\nEstimate=0\n"));
        ResetBook(app);
        app.entry.optIncome = false;
        FillMatterCombo(app);
        editor.onClose = [this] { ++closes; };
    }

    // As the book window does it: the clicked row becomes the current row.
    void open(const QString &matter)
    {
        Grid &g = app.book.msfgOutgo;
        app.book.MatterSourceIsIncome = false;
        for (int r = 1; r <= g.rows() - 4; ++r) {
            if (g.text(r, 0) == matter) {
                g.setSelection(r, 0, r, g.cols() - 1);
                editor.load(matter, g.text(r, 2));
                return;
            }
        }
        FAIL() << "no row " << matter.toStdString();
    }

    QString estimateOf(const QString &matter) const
    {
        const Grid &g = app.book.msfgOutgo;
        for (int r = 1; r <= g.rows() - 4; ++r)
            if (g.text(r, 0) == matter)
                return g.text(r, 2);
        return QStringLiteral("<none>");
    }

    // The estimate the catalog file holds for a matter, wherever the sort put it.
    QString catalogEstimate(const QString &matter) const
    {
        for (int n = 0; n < 100; ++n)
            if (catalog(QString::number(n), QStringLiteral("Matter")) == matter)
                return catalog(QString::number(n), QStringLiteral("Estimate"));
        return QStringLiteral("<none>");
    }

    QString catalog(const QString &section, const QString &key) const
    {
        return app.ini.ReadIniValue(QStringLiteral("Outgo"), section, key, QStringLiteral("<none>"));
    }

    TempHome home;
    ScriptedUi ui;
    App app{ui, home.path()};
    MatterEditorPresenter editor{app};
    int closes = 0;
};

} // namespace

TEST_F(MatterEditorTest, EstimateFieldKeepsDigitsOnly)
{
    open(QStringLiteral("食費"));
    EXPECT_EQ(editor.matter(), QStringLiteral("食費"));
    EXPECT_EQ(editor.estimate(), QStringLiteral("30000"));

    for (const auto &[typed, shown] : {std::pair{"00120", "120"}, {"12a", "12"}, {"0", "0"}, {"-5", "5"}, {"", ""}}) {
        editor.setEstimateText(QString::fromLatin1(typed));
        editor.txtEstimate_Change();
        EXPECT_EQ(editor.estimate(), QString::fromLatin1(shown)) << typed;
    }
    editor.setEstimateText(QStringLiteral("1234567890123456"));
    editor.txtEstimate_Change();
    EXPECT_EQ(editor.estimate(), QStringLiteral("123456789012345"));
}

TEST_F(MatterEditorTest, UpdateWritesTheGridAndTheCatalogAndCloses)
{
    open(QStringLiteral("本"));
    editor.setEstimateText(QStringLiteral("1200"));
    editor.txtEstimate_Change();
    editor.cmdRenewal_Click();
    EXPECT_EQ(estimateOf(QStringLiteral("本")), QStringLiteral("1,200"));
    EXPECT_EQ(catalogEstimate(QStringLiteral("本")), QStringLiteral("1,200"));
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(ui.messages.empty());

    open(QStringLiteral("食費"));
    editor.setEstimateText(QStringLiteral("0"));
    editor.txtEstimate_Change();
    editor.cmdRenewal_Click();
    EXPECT_EQ(estimateOf(QStringLiteral("食費")), QStringLiteral("0"));
    EXPECT_EQ(catalogEstimate(QStringLiteral("食費")), QStringLiteral("0"));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MatterEditorTest, AnEstimateBeyondTheRangeChangesNothing)
{
    const QByteArray before = home.read(QStringLiteral("Outgo.ini"));
    open(QStringLiteral("食費"));
    editor.setEstimateText(QStringLiteral("999999999999999"));
    editor.txtEstimate_Change();
    editor.cmdRenewal_Click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastMessage().text, QStringLiteral("入力できる範囲は、1円～922,337,203,685,477です。"));
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("入力エラー"));
    EXPECT_EQ(ui.lastMessage().icon, MsgIcon::Critical);
    EXPECT_EQ(estimateOf(QStringLiteral("食費")), QStringLiteral("30,000"));
    EXPECT_EQ(home.read(QStringLiteral("Outgo.ini")), before);
    EXPECT_EQ(editor.estimate(), QStringLiteral("999999999999999"));
    EXPECT_EQ(closes, 0);
}

TEST_F(MatterEditorTest, AnEmptyEstimateAsksAndYesKeepsTheOldValue)
{
    open(QStringLiteral("食費"));
    editor.setEstimateText(QString());
    editor.txtEstimate_Change();
    ui.answers.push_back(MsgAnswer::No);
    editor.cmdRenewal_Click();
    EXPECT_EQ(ui.lastMessage().icon, MsgIcon::Warning);
    EXPECT_TRUE(ui.lastMessage().title.startsWith(QStringLiteral("システムエラー (エラーNo.")));
    EXPECT_EQ(closes, 0);

    ui.answers.push_back(MsgAnswer::Yes);
    editor.cmdRenewal_Click();
    EXPECT_EQ(estimateOf(QStringLiteral("食費")), QStringLiteral("30,000"));
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(ui.endRequests, 0);
}

TEST_F(MatterEditorTest, TheTotalRowNeverTakesAnEstimate)
{
    open(QStringLiteral("本"));
    Grid &g = app.book.msfgOutgo;
    const int total = g.rows() - 1;
    const QString before = g.text(total, 2);
    g.setCurrentCell(total, 0); // a recalculation moved the current cell
    editor.setEstimateText(QStringLiteral("7"));
    editor.txtEstimate_Change();
    ui.answers.push_back(MsgAnswer::No);
    editor.cmdRenewal_Click();
    EXPECT_EQ(ui.lastMessage().icon, MsgIcon::Warning);
    EXPECT_EQ(g.text(total, 2), before);
    EXPECT_EQ(closes, 0);
}

TEST_F(MatterEditorTest, UpdateWithTheCatalogGoneWritesNoFile)
{
    QFile::remove(home.file(QStringLiteral("Outgo.ini")));
    open(QStringLiteral("本"));
    editor.setEstimateText(QStringLiteral("5"));
    editor.txtEstimate_Change();
    ui.answers.push_back(MsgAnswer::Yes);
    editor.cmdRenewal_Click();
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("システムエラー (エラーNo.53)"));
    EXPECT_FALSE(home.exists(QStringLiteral("Outgo.ini")));
    EXPECT_EQ(estimateOf(QStringLiteral("本")), QStringLiteral("5"));
    EXPECT_EQ(closes, 1);
}

TEST_F(MatterEditorTest, ANewNameTakesAChangedEstimateAlongAndADeclinedMergeKeepsTheEditorOpen)
{
    open(QStringLiteral("本"));
    editor.setMatterText(QStringLiteral("食費"));
    ui.answers.push_back(MsgAnswer::No);
    editor.cmdRenewal_Click();
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("事柄の統合"));
    EXPECT_EQ(closes, 0);

    editor.setMatterText(QStringLiteral("書籍"));
    editor.setEstimateText(QStringLiteral("1200"));
    editor.txtEstimate_Change();
    editor.cmdRenewal_Click();
    EXPECT_EQ(closes, 1);
    // In its own place, not where a rewrite in the grid's order would put it.
    EXPECT_EQ(catalog(QStringLiteral("1"), QStringLiteral("Matter")), QStringLiteral("書籍"));
    EXPECT_EQ(catalog(QStringLiteral("1"), QStringLiteral("Estimate")), QStringLiteral("1,200"));
    EXPECT_EQ(estimateOf(QStringLiteral("書籍")), QStringLiteral("1,200"));
}

TEST_F(MatterEditorTest, DeleteAsksAndRemovesTheMatterFromGridListAndCatalog)
{
    open(QStringLiteral("食費"));
    ui.answers.push_back(MsgAnswer::No);
    editor.cmdDelete_Click();
    EXPECT_EQ(ui.lastMessage().text, QStringLiteral("編集中の事柄を削除しますか？"));
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("事柄の削除"));
    EXPECT_EQ(ui.lastMessage().defaultAnswer, MsgAnswer::No);
    EXPECT_EQ(estimateOf(QStringLiteral("食費")), QStringLiteral("30,000"));
    EXPECT_EQ(closes, 0);

    ui.answers.push_back(MsgAnswer::Yes);
    editor.cmdDelete_Click();
    EXPECT_EQ(estimateOf(QStringLiteral("食費")), QStringLiteral("<none>"));
    EXPECT_EQ(catalog(QStringLiteral("0"), QStringLiteral("Matter")), QStringLiteral("本"));
    EXPECT_EQ(catalog(QStringLiteral("1"), QStringLiteral("Matter")), QStringLiteral("<none>"));
    EXPECT_EQ(app.entry.cmbMatter.items(), QStringList({"本"}));
    EXPECT_EQ(closes, 1);

    // The last matter of a catalog leaves no file at all.
    open(QStringLiteral("本"));
    ui.answers.push_back(MsgAnswer::Yes);
    editor.cmdDelete_Click();
    EXPECT_FALSE(home.exists(QStringLiteral("Outgo.ini")));
    EXPECT_EQ(app.entry.cmbMatter.count(), 0);
    EXPECT_EQ(app.book.msfgOutgo.rows(), 4);
}

TEST_F(MatterEditorTest, ADeletionTheCatalogCannotFollowIsReported)
{
    QFile::remove(home.file(QStringLiteral("Outgo.ini")));
    open(QStringLiteral("本"));
    ui.answers.push_back(MsgAnswer::Yes);
    editor.cmdDelete_Click();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("事柄の削除エラー"));
    EXPECT_TRUE(ui.lastMessage().text.contains(QStringLiteral("Outgo.ini")));
    EXPECT_EQ(estimateOf(QStringLiteral("本")), QStringLiteral("<none>"));
    EXPECT_EQ(closes, 1);
}

TEST_F(MatterEditorTest, PositionIsCentredUntilTheEditorWasClosedOnce)
{
    EXPECT_EQ(editor.Form_Load(20000, 12000, 5000, 3000), QPoint(7500, 4500));
    editor.Form_Unload(1230, 450);
    EXPECT_EQ(editor.Form_Load(20000, 12000, 5000, 3000), QPoint(1230, 450));

    editor.MouseMove(QStringLiteral("cmdCancel"));
    EXPECT_EQ(ui.lastStatus(), QStringLiteral("対象の事柄を変更せずに終了します。"));
}
