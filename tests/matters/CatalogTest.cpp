#include "BookFixture.h"

#include "data/Book.h"
#include "presenters/InputPresenter.h"
#include "calc/Catalogs.h"
#include "platform/Codepage.h"
#include "platform/RuntimeError.h"

using namespace purslet;
using namespace purslet::test;

namespace {
QByteArray cp932(const char *utf8)
{
    return ToCp932(QString::fromUtf8(utf8));
}
} // namespace

using Catalogs = BookFixture;

TEST_F(Catalogs, ComboReadsTheChosenKindUpToTheFirstGap)
{
    home.writeText(QStringLiteral("Income.ini"),
                   QStringLiteral("[0]\nMatter=給与\n[1]\nMatter=お年玉\n[3]\nMatter=配当\n"));
    writeCatalog(QStringLiteral("Outgo"), {QStringLiteral("b"), QStringLiteral("A"), QStringLiteral("c")});
    FillMatterCombo(app);
    EXPECT_EQ(app.entry.cmbMatter.items(), QStringList({QStringLiteral("お年玉"), QStringLiteral("給与")}));

    app.entry.optIncome = false;
    FillMatterCombo(app);
    EXPECT_EQ(app.entry.cmbMatter.items(), QStringList({QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("c")}));
}

TEST_F(Catalogs, EmptyFirstMatterOrMissingFileIsAnEmptyCatalog)
{
    FillMatterCombo(app);
    EXPECT_EQ(app.entry.cmbMatter.count(), 0);
    home.writeText(QStringLiteral("Income.ini"), QStringLiteral("[0]\nMatter=\n[1]\nMatter=本\n"));
    FillMatterCombo(app);
    EXPECT_EQ(app.entry.cmbMatter.count(), 0);
    ResetBook(app);
    EXPECT_EQ(app.book.msfgIncome.rows(), 4);
}

TEST_F(Catalogs, GridRowsShowFormattedEstimates)
{
    home.writeText(QStringLiteral("Income.ini"),
                   QStringLiteral("[0]\nMatter=給与\nEstimate=30000\n[1]\nMatter=賞与\nEstimate=30,000\n"
                                  "[2]\nMatter=小遣い\nEstimate=\n[3]\nMatter=雑\n"));
    writeCatalog(QStringLiteral("Outgo"), {QStringLiteral("本=1200")});
    app.book.msfgIncome.setRows(4);
    app.book.msfgOutgo.setRows(4);
    FillMatterGrids(app);
    const Grid &in = app.book.msfgIncome;
    ASSERT_EQ(in.rows(), 8);
    EXPECT_EQ(in.rowTexts(1), QStringList({QStringLiteral("給与"), QStringLiteral("30,000"), {}, {}, {}}));
    EXPECT_EQ(in.text(2, 1), QStringLiteral("30,000"));
    EXPECT_EQ(in.text(3, 1), QStringLiteral("0"));
    EXPECT_EQ(in.text(4, 1), QStringLiteral("0"));
    EXPECT_EQ(app.book.msfgOutgo.rowTexts(1),
              QStringList({QStringLiteral("本"), QString(), QStringLiteral("1,200"), {}, {}, {}}));
}

TEST_F(Catalogs, BadEstimateAsksAndSkipsOnlyItsRow)
{
    writeCatalog(QStringLiteral("Income"),
                 {QStringLiteral("a=100"), QStringLiteral("b=百円"), QStringLiteral("c=300")});
    ui.answers = {MsgAnswer::Yes};
    ResetBook(app);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("システムエラー (エラーNo.13)"));
    EXPECT_EQ(matterNames(app.book.msfgIncome), QStringList({QStringLiteral("a"), QStringLiteral("c")}));
    FillMatterCombo(app);
    EXPECT_EQ(app.entry.cmbMatter.count(), 3); // the list does not read estimates

    ui.answers = {MsgAnswer::No};
    ResetBook(app);
    EXPECT_EQ(ui.endRequests, 1);
}

TEST_F(Catalogs, AppendAddsANewMatterToListFileAndGrid)
{
    writeCatalog(QStringLiteral("Outgo"), {QStringLiteral("食費=30,000"), QStringLiteral("服"), QStringLiteral("家賃")});
    app.entry.optIncome = false;
    FillMatterCombo(app);
    ResetBook(app);

    AppendMatter(app, QStringLiteral("本"), MatterKind::Outgo);
    EXPECT_EQ(app.entry.cmbMatter.items().last(), QStringLiteral("本"));
    const Grid &out = app.book.msfgOutgo;
    EXPECT_EQ(out.rowTexts(out.rows() - 4), QStringList({QStringLiteral("本"), QString(), QStringLiteral("0"), {}, {}, {}}));
    EXPECT_EQ(out.text(out.rows() - 1, 0), QStringLiteral("合計"));
    EXPECT_TRUE(home.read(QStringLiteral("Outgo.ini")).endsWith(cp932("[3]\r\nMatter=本\r\n")));
    EXPECT_EQ(app.ini.ReadIniValue(QStringLiteral("Outgo"), QStringLiteral("3"), QStringLiteral("Estimate"),
                                   QStringLiteral("0")),
              QStringLiteral("0"));

    const QByteArray before = home.read(QStringLiteral("Outgo.ini"));
    const int rows = out.rows();
    AppendMatter(app, QStringLiteral("本"), MatterKind::Outgo);
    AppendMatter(app, QString(), MatterKind::Outgo);
    EXPECT_EQ(home.read(QStringLiteral("Outgo.ini")), before);
    EXPECT_EQ(out.rows(), rows);

    // Letter case makes a different matter.
    AppendMatter(app, QStringLiteral("Book"), MatterKind::Outgo);
    AppendMatter(app, QStringLiteral("book"), MatterKind::Outgo);
    EXPECT_EQ(app.entry.cmbMatter.count(), 6);
    EXPECT_EQ(out.rows(), rows + 2);
}

TEST_F(Catalogs, AppendToAnIncomeGridWritesItsOwnLayout)
{
    ResetBook(app);
    AppendMatter(app, QStringLiteral("給与"), MatterKind::Income);
    EXPECT_EQ(app.book.msfgIncome.rowTexts(1), QStringList({QStringLiteral("給与"), QStringLiteral("0"), {}, {}, {}}));
    EXPECT_EQ(home.read(QStringLiteral("Income.ini")), cp932("[0]\r\nMatter=給与\r\n"));
}

TEST_F(Catalogs, SaveRewritesInDisplayOrderWithoutTheRemainder)
{
    writeCatalog(QStringLiteral("Income"), {QStringLiteral("本=1,200"), QStringLiteral("食費=30000"),
                                            QStringLiteral("給与")});
    ResetBook(app);
    addRecord(QStringLiteral("雑"), QStringLiteral("5,000"), QString());
    app.book.IncomeSortCol = 2;
    app.book.IncomeSortAscending = false;
    recalc();
    ASSERT_EQ(app.book.msfgIncome.text(1, 0), QStringLiteral("その他"));
    ASSERT_EQ(matterNames(app.book.msfgIncome), QStringList({QStringLiteral("その他"), QStringLiteral("本"),
                                                             QStringLiteral("給与"), QStringLiteral("食費")}));
    // An estimate cell that is empty or "---" is stored as 0.
    app.book.msfgIncome.setText(3, 1, QString());
    app.book.msfgIncome.setText(4, 1, QStringLiteral("---"));

    SaveMatterCatalog(app, MatterKind::Income);
    EXPECT_EQ(home.read(QStringLiteral("Income.ini")),
              cp932("[0]\r\nMatter=本\r\nEstimate=1,200\r\n[1]\r\nMatter=給与\r\nEstimate=0\r\n"
                    "[2]\r\nMatter=食費\r\nEstimate=0\r\n"));
}

TEST_F(Catalogs, SaveIsSeenByTheNextReadEvenAtTheSameSize)
{
    writeCatalog(QStringLiteral("Income"), {QStringLiteral("ab=1"), QStringLiteral("cd=2")});
    FillMatterCombo(app); // parses and keeps the file
    ResetBook(app);
    app.book.msfgIncome.setText(1, 0, QStringLiteral("xy"));
    SaveMatterCatalog(app, MatterKind::Income);
    FillMatterCombo(app);
    EXPECT_EQ(app.entry.cmbMatter.items(), QStringList({QStringLiteral("cd"), QStringLiteral("xy")}));
}

TEST_F(Catalogs, SaveWithoutMattersLeavesNoFileAndAMissingFileIsAnError)
{
    writeCatalog(QStringLiteral("Outgo"), {QStringLiteral("本")});
    ResetBook(app);
    Grid &out = app.book.msfgOutgo;
    out.removeRow(1);
    SaveMatterCatalog(app, MatterKind::Outgo);
    EXPECT_FALSE(home.exists(QStringLiteral("Outgo.ini")));

    AppendMatter(app, QStringLiteral("服"), MatterKind::Outgo); // the list is the income one
    QFile::remove(home.file(QStringLiteral("Outgo.ini")));
    try {
        SaveMatterCatalog(app, MatterKind::Outgo);
        FAIL() << "no error for a missing catalog";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), RuntimeError::FileNotFound);
    }
    EXPECT_FALSE(home.exists(QStringLiteral("Outgo.ini")));
}

TEST_F(Catalogs, SaveSkipsBlankNamesSoLaterMattersSurvive)
{
    writeCatalog(QStringLiteral("Income"), {QStringLiteral("a"), QStringLiteral("b")});
    ResetBook(app);
    app.book.msfgIncome.insertRow(1); // a blank row among the matters
    SaveMatterCatalog(app, MatterKind::Income);
    FillMatterCombo(app);
    EXPECT_EQ(app.entry.cmbMatter.items(), QStringList({QStringLiteral("a"), QStringLiteral("b")}));
}

// The entry window's list can hold more names than the file has sections:
// the next read must still find a matter entered after that.
TEST_F(Catalogs, ANewMatterLandsWhereTheNextReadFindsIt)
{
    struct Case
    {
        const char *name;
        const char *outgoIni;
        bool rewrite; // the matter editor rewrote the catalog from its grid
    };
    const Case cases[] = {
        {"bad estimate skipped", "[0]\nMatter=a\n[1]\nMatter=b\nEstimate=百円\n[2]\nMatter=c\n", true},
        {"その他 in the file", "[0]\nMatter=その他\n[1]\nMatter=a\n", true},
        {"free section with an old estimate", "[0]\nMatter=a\n[1]\nMatter=\nEstimate=500\n", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        home.writeText(QStringLiteral("Outgo.ini"), QString::fromUtf8(c.outgoIni));
        ui.answers = {MsgAnswer::Yes};
        ResetBook(app);
        app.entry.optIncome = false;
        FillMatterCombo(app);
        if (c.rewrite)
            SaveMatterCatalog(app, MatterKind::Outgo);

        InputPresenter input{app};
        input.setDate(QStringLiteral("2024/05/10"));
        input.EntrySuppressCompletion = true;
        input.setMatter(QStringLiteral("新"), 1);
        input.setMoneyText(QStringLiteral("100"));
        input.txtMoney_Change();
        input.cmdEnter_Click();

        FillMatterCombo(app);
        EXPECT_TRUE(app.entry.cmbMatter.containsExactly(QStringLiteral("新")));
        ResetBook(app);
        const Grid &out = app.book.msfgOutgo;
        const int row = int(matterNames(out).indexOf(QStringLiteral("新"))) + 1;
        EXPECT_GT(row, 0);
        if (row > 0) {
            EXPECT_EQ(out.text(row, 2), QStringLiteral("0"));
        }
    }
}
