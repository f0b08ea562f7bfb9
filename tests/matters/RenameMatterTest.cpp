#include "BookFixture.h"

#include "calc/Catalogs.h"
#include "operations/BookOperations.h"
#include "operations/MatterOperations.h"
#include "platform/Codepage.h"

using namespace purslet;
using purslet::test::BookFixture;

namespace {

// The catalogs as bytes, with a comment a rename keeps; 本 is an income
// matter too, whose record a rename of the outgo matter leaves alone.
const QString kOutgo = QStringLiteral("[0]\r\nMatter=食費\r\nEstimate=30,000\r\n"
                                      "[1]\r\nMatter=本\r\nEstimate=5,000\r\n; 趣味\r\n"
                                      "[2]\r\nMatter=交通費\r\nEstimate=0\r\n");
const QString kIncome = QStringLiteral("[0]\r\nMatter=給料\r\nEstimate=50,000\r\n[1]\r\nMatter=本\r\n");

// What a rename may change: both catalog files and the matters of the records.
struct State
{
    QByteArray income, outgo;
    QStringList matters;
    bool operator==(const State &) const = default;
};

class RenameMatterTest : public BookFixture
{
protected:
    void SetUp() override
    {
        home.write(QStringLiteral("Income.ini"), ToCp932(kIncome));
        home.write(QStringLiteral("Outgo.ini"), ToCp932(kOutgo));
        ResetBook(app);
        app.entry.optIncome = false; // the entry window's list is the outgo catalog
        FillMatterCombo(app);
        addRecord(QStringLiteral("本"), {}, QStringLiteral("1,000"));
        addRecord(QStringLiteral("本"), QStringLiteral("300"), {});
        addRecord(QStringLiteral("食費"), {}, QStringLiteral("500"));
        addRecord(QStringLiteral("本"), {}, QStringLiteral("2,000"));
        recalc();
        before = state();
    }

    State state() const
    {
        QStringList matters;
        for (int r = 1; r <= app.book.recordCount(); ++r)
            matters << app.book.msfgCashier.text(r, 1);
        return {home.read(QStringLiteral("Income.ini")), home.read(QStringLiteral("Outgo.ini")), matters};
    }

    // The outgo records of 本 under `name`, the outgo catalog as given.
    State renamed(const QString &catalog, const QString &name) const
    {
        return {before.income, ToCp932(catalog), {name, QStringLiteral("本"), QStringLiteral("食費"), name}};
    }

    // The outgo summary's row of a matter: estimate and actual.
    QString summaryOf(const QString &matter) const
    {
        const Grid &g = app.book.msfgOutgo;
        for (int r = 1; r <= g.rows() - 4; ++r)
            if (g.text(r, 0) == matter)
                return g.text(r, 2) + QLatin1Char(' ') + g.text(r, 3);
        return QStringLiteral("<none>");
    }

    RenameOutcome rename(const QString &to) { return RenameMatter(app, MatterKind::Outgo, QStringLiteral("本"), to); }

    State before;
};

} // namespace

TEST_F(RenameMatterTest, RenameAndMergeChangeCatalogAndRecordsAndUndoBringsBothBack)
{
    QString inPlace = kOutgo;
    inPlace.replace(QStringLiteral("Matter=本"), QStringLiteral("Matter=%1"));
    const struct
    {
        QString typed, stored;
        RenameOutcome outcome;
        QString catalog, summary, status;
    } cases[] = {
        {QStringLiteral("書籍"), QStringLiteral("書籍"), RenameOutcome::Renamed, inPlace.arg(QStringLiteral("書籍")),
         QStringLiteral("5,000 3,000"), QStringLiteral("2 件の記録の事柄名を変更しました")},
        // Blanks around are no part of a name; the text is as the file gives it back.
        {QStringLiteral("　本〜雑誌 "), QStringLiteral("本～雑誌"), RenameOutcome::Renamed,
         inPlace.arg(QStringLiteral("本～雑誌")), QStringLiteral("5,000 3,000"),
         QStringLiteral("2 件の記録の事柄名を変更しました")},
        // The entry leaves with its lines; the one after it moves up a place.
        {QStringLiteral("食費"), QStringLiteral("食費"), RenameOutcome::Merged,
         QStringLiteral("[0]\r\nMatter=食費\r\nEstimate=30,000\r\n[1]\r\nMatter=交通費\r\nEstimate=0\r\n"),
         QStringLiteral("30,000 3,500"), QStringLiteral("2 件の記録を「食費」にまとめました")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        ui.answers = {MsgAnswer::Yes};
        EXPECT_EQ(rename(c.typed), c.outcome);
        EXPECT_EQ(state(), renamed(c.catalog, c.stored));
        EXPECT_EQ(summaryOf(c.stored), c.summary);
        EXPECT_EQ(summaryOf(QStringLiteral("本")), QStringLiteral("<none>"));
        EXPECT_EQ(ui.lastStatus(), c.status);
        EXPECT_EQ(app.menu.caption(MenuItem::editUndo), QStringLiteral("元に戻す(&U) -事柄名の変更"));
        EXPECT_TRUE(app.doc.modified);
        EXPECT_FALSE(app.entry.cmbMatter.containsExactly(QStringLiteral("本")));

        UndoLastChange(app);
        EXPECT_EQ(state(), before);
        EXPECT_EQ(summaryOf(QStringLiteral("本")), QStringLiteral("5,000 3,000"));
        EXPECT_TRUE(app.entry.cmbMatter.containsExactly(QStringLiteral("本")));
        EXPECT_FALSE(home.exists(QStringLiteral("Outgo.ini.bak")));
    }
    // Only the merge asked.
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastMessage().text, QStringLiteral("「本」の記録 2 件を「食費」にまとめますか？"));
}

TEST_F(RenameMatterTest, NoToMergingAndNamesThatCannotBeAMatterChangeNothing)
{
    const QString cp932 = QStringLiteral("は Shift_JIS で表せない文字のため、記入できません。"
                                         "この文字を除くか、別の文字に置きかえてください。");
    const struct
    {
        QString typed, message;
        RenameOutcome outcome;
    } cases[] = {
        {QStringLiteral("食費"), QStringLiteral("「本」の記録 2 件を「食費」にまとめますか？"),
         RenameOutcome::Declined},
        {QString(), QStringLiteral("事柄名を入力してください。"), RenameOutcome::Refused},
        {QStringLiteral("  "), QStringLiteral("事柄名を入力してください。"), RenameOutcome::Refused},
        {QStringLiteral("その他"),
         QStringLiteral("「その他」はどの事柄にも入らない記録の行のため、事柄名にできません。"),
         RenameOutcome::Refused},
        {QStringLiteral("本\n2"), QStringLiteral("事柄名に改行やタブなどの制御文字は使えません。"),
         RenameOutcome::Refused},
        {QStringLiteral("本😀"), QStringLiteral("「😀」(U+1F600)") + cp932, RenameOutcome::Refused},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        ui.messages.clear();
        ui.answers = {MsgAnswer::No};
        EXPECT_EQ(rename(c.typed), c.outcome);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.lastMessage().text, c.message);
        EXPECT_EQ(state(), before);
        EXPECT_FALSE(app.menu.enabled(MenuItem::editUndo));
        EXPECT_FALSE(home.exists(QStringLiteral("purslet.bak")));
    }
}

TEST_F(RenameMatterTest, HighSpeedModeTakesNoBackupAndTakesBackAnOlderUndo)
{
    ASSERT_TRUE(EnterRecord(
        app, NewRecord{QStringLiteral("2024/02/01"), true, QStringLiteral("給料"), Amount::fromYen(800), QString()}));
    const QByteArray older = home.read(QStringLiteral("purslet.bak"));
    app.menu.setChecked(MenuItem::setupHighSpeedMode, true);
    EXPECT_EQ(rename(QStringLiteral("書籍")), RenameOutcome::Renamed);
    QString catalog = kOutgo;
    EXPECT_EQ(home.read(QStringLiteral("Outgo.ini")),
              ToCp932(catalog.replace(QStringLiteral("Matter=本"), QStringLiteral("Matter=書籍"))));
    EXPECT_FALSE(app.menu.enabled(MenuItem::editUndo));
    EXPECT_EQ(home.read(QStringLiteral("purslet.bak")), older);
    EXPECT_FALSE(home.exists(QStringLiteral("Outgo.ini.bak")));
}

TEST_F(RenameMatterTest, AnEntryAfterARenameIsUndoneAloneWithoutTheOlderCatalog)
{
    EXPECT_EQ(rename(QStringLiteral("書籍")), RenameOutcome::Renamed);
    const State afterRename = state();
    ASSERT_TRUE(EnterRecord(
        app, NewRecord{QStringLiteral("2024/02/01"), false, QStringLiteral("書籍"), Amount::fromYen(800), QString()}));
    EXPECT_FALSE(home.exists(QStringLiteral("Outgo.ini.bak")));
    UndoLastChange(app);
    EXPECT_EQ(state(), afterRename);
}
