#include "BookFixture.h"

#include "calc/Catalogs.h"
#include "operations/BookOperations.h"
#include "operations/MatterOperations.h"
#include "platform/Codepage.h"

using namespace purslet;
using purslet::test::BookFixture;

namespace {

// The catalogs as bytes, with a comment the rename must keep; 本 is an
// income matter too, whose records a rename of the outgo matter leaves alone.
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
        app.entry.optIncome = false;
        FillMatterCombo(app);
        addRecord(QStringLiteral("本"), {}, QStringLiteral("1,000"));
        addRecord(QStringLiteral("本"), QStringLiteral("300"), {});
        addRecord(QStringLiteral("食費"), {}, QStringLiteral("500"));
        addRecord(QStringLiteral("本"), {}, QStringLiteral("2,000"));
        addRecord(QStringLiteral("交通費"), {}, QStringLiteral("200"));
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

    State outgoState(const QString &catalog, const QString &newBook) const
    {
        State s = before;
        s.outgo = ToCp932(catalog);
        s.matters = QStringList{newBook, QStringLiteral("本"), QStringLiteral("食費"), newBook, QStringLiteral("交通費")};
        return s;
    }

    // The outgo summary's matter rows: name, estimate and actual, in text order.
    QStringList outgoSummary() const
    {
        QStringList rows;
        const Grid &g = app.book.msfgOutgo;
        for (int r = 1; r <= g.rows() - 4; ++r)
            rows << g.text(r, 0) + QLatin1Char(' ') + g.text(r, 2) + QLatin1Char(' ') + g.text(r, 3);
        rows.sort();
        return rows;
    }

    void undo()
    {
        ASSERT_TRUE(app.menu.enabled(MenuItem::editUndo));
        UndoLastChange(app);
    }

    bool catalogCopyLeft() const { return home.exists(QStringLiteral("Outgo.ini.bak")); }

    State before;
};

} // namespace

TEST_F(RenameMatterTest, RenamesTheEntryInPlaceAndTheRecordsOfItsKindAndUndoBringsBothBack)
{
    const struct
    {
        QString typed, stored;
    } cases[] = {
        {QStringLiteral("書籍"), QStringLiteral("書籍")},
        {QStringLiteral("　書籍 "), QStringLiteral("書籍")}, // blanks around are no part of a name
        {QStringLiteral("本〜雑誌"), QStringLiteral("本～雑誌")}, // as the file gives it back
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        EXPECT_EQ(RenameMatter(app, MatterKind::Outgo, QStringLiteral("本"), c.typed), RenameOutcome::Renamed);
        QString catalog = kOutgo;
        catalog.replace(QStringLiteral("Matter=本"), QStringLiteral("Matter=") + c.stored);
        EXPECT_EQ(state(), outgoState(catalog, c.stored));
        EXPECT_TRUE(outgoSummary().contains(c.stored + QStringLiteral(" 5,000 3,000")));
        EXPECT_TRUE(app.entry.cmbMatter.containsExactly(c.stored));
        EXPECT_EQ(ui.lastStatus(), QStringLiteral("2 件の記録の事柄名を変更しました"));
        EXPECT_EQ(app.menu.caption(MenuItem::editUndo), QStringLiteral("元に戻す(&U) -事柄名の変更"));
        EXPECT_TRUE(app.doc.modified);
        EXPECT_TRUE(ui.messages.empty());

        undo();
        EXPECT_EQ(state(), before);
        EXPECT_TRUE(outgoSummary().contains(QStringLiteral("本 5,000 3,000")));
        EXPECT_TRUE(app.entry.cmbMatter.containsExactly(QStringLiteral("本")));
        EXPECT_FALSE(app.entry.cmbMatter.containsExactly(c.stored));
        EXPECT_FALSE(catalogCopyLeft());
    }
}

TEST_F(RenameMatterTest, AnExistingNameMergesAfterYesAndUndoBringsBothBack)
{
    ui.answers = {MsgAnswer::No};
    EXPECT_EQ(RenameMatter(app, MatterKind::Outgo, QStringLiteral("本"), QStringLiteral("食費")),
              RenameOutcome::Declined);
    EXPECT_EQ(ui.lastMessage().text, QStringLiteral("「本」の記録 2 件を「食費」にまとめますか？"));
    EXPECT_EQ(ui.lastMessage().buttons, MsgButtons::YesNo);
    EXPECT_EQ(state(), before);
    EXPECT_FALSE(app.menu.enabled(MenuItem::editUndo));

    ui.answers = {MsgAnswer::Yes};
    EXPECT_EQ(RenameMatter(app, MatterKind::Outgo, QStringLiteral("本"), QStringLiteral("食費")),
              RenameOutcome::Merged);
    // The entry leaves with its lines; the one after it moves up a place.
    EXPECT_EQ(state(), outgoState(QStringLiteral("[0]\r\nMatter=食費\r\nEstimate=30,000\r\n"
                                                 "[1]\r\nMatter=交通費\r\nEstimate=0\r\n"),
                                  QStringLiteral("食費")));
    EXPECT_EQ(outgoSummary(), (QStringList{QStringLiteral("交通費 0 200"), QStringLiteral("食費 30,000 3,500")}));
    EXPECT_FALSE(app.entry.cmbMatter.containsExactly(QStringLiteral("本")));
    EXPECT_EQ(ui.lastStatus(), QStringLiteral("2 件の記録を「食費」にまとめました"));

    undo();
    EXPECT_EQ(state(), before);
    EXPECT_TRUE(outgoSummary().contains(QStringLiteral("本 5,000 3,000")));
}

TEST_F(RenameMatterTest, NamesThatCannotBeAMatterAreRefusedAndChangeNothing)
{
    const struct
    {
        QString typed, message;
    } cases[] = {
        {QString(), QStringLiteral("事柄名を入力してください。")},
        {QStringLiteral("  "), QStringLiteral("事柄名を入力してください。")},
        {QStringLiteral("その他"), QStringLiteral("「その他」はどの事柄にも入らない記録の行のため、事柄名にできません。")},
        {QStringLiteral("本\n2"), QStringLiteral("事柄名に改行やタブなどの制御文字は使えません。")},
        {QStringLiteral("本😀"), QStringLiteral("「😀」(U+1F600)は Shift_JIS で表せない文字のため、記入できません。"
                                                "この文字を除くか、別の文字に置きかえてください。")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        ui.messages.clear();
        EXPECT_EQ(RenameMatter(app, MatterKind::Outgo, QStringLiteral("本"), c.typed), RenameOutcome::Refused);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.lastMessage().text, c.message);
        EXPECT_EQ(ui.lastMessage().icon, MsgIcon::Critical);
        EXPECT_EQ(state(), before);
        EXPECT_FALSE(app.menu.enabled(MenuItem::editUndo));
        EXPECT_FALSE(home.exists(QStringLiteral("purslet.bak")));
    }
}

TEST_F(RenameMatterTest, HighSpeedModeRenamesWithoutABackupAndTakesBackAnOlderUndo)
{
    ASSERT_TRUE(EnterRecord(app, NewRecord{QStringLiteral("2024/02/01"), false, QStringLiteral("本"),
                                           Amount::fromYen(800), QString()}));
    const QByteArray older = home.read(QStringLiteral("purslet.bak"));
    before = state();
    app.menu.setChecked(MenuItem::setupHighSpeedMode, true);
    EXPECT_EQ(RenameMatter(app, MatterKind::Outgo, QStringLiteral("本"), QStringLiteral("書籍")),
              RenameOutcome::Renamed);
    QString catalog = kOutgo;
    State renamed = outgoState(catalog.replace(QStringLiteral("Matter=本"), QStringLiteral("Matter=書籍")),
                               QStringLiteral("書籍"));
    renamed.matters << QStringLiteral("書籍"); // the record entered last
    EXPECT_EQ(state(), renamed);
    EXPECT_FALSE(app.menu.enabled(MenuItem::editUndo));
    EXPECT_EQ(home.read(QStringLiteral("purslet.bak")), older);
    EXPECT_FALSE(catalogCopyLeft());
}

TEST_F(RenameMatterTest, AnEntryAfterARenameIsUndoneAloneWithoutAnOldCatalog)
{
    EXPECT_EQ(RenameMatter(app, MatterKind::Outgo, QStringLiteral("本"), QStringLiteral("書籍")),
              RenameOutcome::Renamed);
    const State renamed = state();
    ASSERT_TRUE(EnterRecord(app, NewRecord{QStringLiteral("2024/02/01"), false, QStringLiteral("書籍"),
                                           Amount::fromYen(800), QString()}));
    EXPECT_FALSE(catalogCopyLeft());
    undo();
    EXPECT_EQ(state(), renamed);
}
