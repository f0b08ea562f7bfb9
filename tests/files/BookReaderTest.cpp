#include "files/BookFormat.h"
#include "operations/BookPrefetch.h"
#include "operations/BookReader.h"
#include "files/BookWriter.h"
#include "files/FileHistory.h"
#include "calc/BookReset.h"
#include "platform/Codepage.h"
#include "platform/RuntimeError.h"
#include "state/App.h"

#include "ScriptedUi.h"
#include "TempHome.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace purslet;
using namespace purslet::test;

namespace {

const QString kReading = QStringLiteral("ファイルを読みこんでいます...");

class BookFiles : public ::testing::Test
{
protected:
    TempHome home;
    ScriptedUi ui;
    App app{ui, home.path()};

    void SetUp() override { ResetBook(app); }

    void addRecord(const QString &date, const QString &matter, const QString &income, const QString &outgo,
                   const QString &memo = {})
    {
        Grid &g = app.book.msfgCashier;
        g.insertRow(g.rows() - 3, {date, matter, income, outgo, QString(), memo});
    }

    // Opens a path as the Open command does.
    void open(const QString &name)
    {
        const PreviousFile previous{app.doc.path, app.doc.title};
        app.doc.path = home.file(name);
        app.doc.title = name;
        FileReading(app, name, previous);
    }

    void save(const QString &name)
    {
        app.doc.path = home.file(name);
        app.doc.title = name;
        FileWriting(app);
    }

    QStringList cashierRow(int row) const { return app.book.msfgCashier.rowTexts(row); }
    int records() const { return app.book.recordCount(); }

    // A book of one record that the tests compare against after a refusal.
    void makeCurrentBook()
    {
        addRecord(QStringLiteral("2024/01/01"), QStringLiteral("食費"), {}, QStringLiteral("300"));
        app.doc.path = home.file(QStringLiteral("current.psl"));
        app.doc.title = QStringLiteral("current.psl");
        app.setModified(true);
        app.setWindowTitle(QStringLiteral("Purslet [") + app.doc.path + QLatin1Char(']'));
        app.menu.setCaption(MenuItem::fileSave, QStringLiteral("current.psl の上書き保存(&S)"));
    }

    void expectCurrentBookKept()
    {
        EXPECT_EQ(records(), 1);
        EXPECT_EQ(app.book.msfgCashier.text(1, 1), QStringLiteral("食費"));
        EXPECT_EQ(app.doc.path, home.file(QStringLiteral("current.psl")));
        EXPECT_EQ(app.doc.title, QStringLiteral("current.psl"));
        EXPECT_TRUE(app.doc.modified);
        EXPECT_EQ(app.doc.windowTitle, QStringLiteral("Purslet [") + app.doc.path + QLatin1Char(']'));
        EXPECT_EQ(app.menu.caption(MenuItem::fileSave), QStringLiteral("current.psl の上書き保存(&S)"));
        EXPECT_TRUE(app.menu.history().isEmpty());
    }
};

} // namespace

TEST_F(BookFiles, OpensTheExampleFile)
{
    home.write(QStringLiteral("ex.psl"), QByteArrayLiteral("\"\"\r\n\"8031803980398039802F80308034802F80308031\","
                                                           "\"\",\"8031802C803080308030\",\"\",\"\"\r\n"));
    app.setModified(true);
    ui.statuses.clear();
    open(QStringLiteral("ex.psl"));
    EXPECT_TRUE(ui.prompts.empty()); // no password, no prompt
    ASSERT_EQ(records(), 1);
    // The subtotal comes from the recalculation, not from the file.
    EXPECT_EQ(cashierRow(1), (QStringList{"1999/04/01", "", "1,000", "", "1,000", ""}));
    EXPECT_EQ(app.book.msfgCashier.text(app.book.msfgCashier.rows() - 1, 2), QStringLiteral("1,000"));
    EXPECT_FALSE(app.doc.modified);
    EXPECT_EQ(app.doc.windowTitle, QStringLiteral("Purslet [") + home.file(QStringLiteral("ex.psl")) + "]");
    EXPECT_EQ(app.menu.caption(MenuItem::fileSave), QStringLiteral("ex.psl の上書き保存(&S)"));
    EXPECT_EQ(app.menu.history(), QStringList{home.file(QStringLiteral("ex.psl"))});
    EXPECT_TRUE(app.menu.item(MenuItem::fileHistory).visible);
    EXPECT_TRUE(app.menu.enabled(MenuItem::setupDeleteHistory));
    EXPECT_EQ(ui.statuses.first(), kReading);
    EXPECT_EQ(ui.lastStatus(), QString());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BookFiles, EveryKindWritesAndReadsBackTheSameBook)
{
    addRecord(QStringLiteral("2024/04/01"), QStringLiteral("給料"), QStringLiteral("250,000"), {},
              QStringLiteral("memo \"quoted\", with comma"));
    addRecord(QStringLiteral("2024/04/02"), {}, {}, QStringLiteral("1,000"), QString(8191, QChar(u'字')));
    addRecord(QStringLiteral("2024/04/03"), QStringLiteral("交通費"), {}, QStringLiteral("200"));
    const std::vector<BookRecord> before = RecordsOf(app.book.msfgCashier);
    for (const QString name : {"b.psl", "b.bak", "b.csv", "b.txt"}) {
        ui.inputs.push_back(QStringLiteral("Secret"));
        save(name);
        ResetBook(app);
        ui.inputs.push_back(QStringLiteral("Secret"));
        open(name);
        EXPECT_EQ(RecordsOf(app.book.msfgCashier), before) << qPrintable(name);
        EXPECT_EQ(app.book.msfgCashier.text(3, 4), QStringLiteral("248,800")) << qPrintable(name);
        EXPECT_TRUE(ui.messages.empty()) << qPrintable(name);
        ui.inputs.clear();
    }
}

TEST_F(BookFiles, APrefetchedBookOpensAsReadAndIsTakenOnce)
{
    addRecord(QStringLiteral("2024/04/01"), QStringLiteral("給料"), QStringLiteral("250,000"), {});
    addRecord(QStringLiteral("2024/04/02"), QStringLiteral("本"), {}, QStringLiteral("1,000"), QStringLiteral("memo"));
    const std::vector<BookRecord> before = RecordsOf(app.book.msfgCashier);
    // The encrypted book is read ahead but taken apart only after its password.
    for (const QString name : {"p.psl", "p.csv", "p.pslx"}) {
        ui.inputs.push_back(QStringLiteral("Secret"));
        save(name);
        ResetBook(app);
        {
            const BookPrefetch prefetch(home.file(name));
            EXPECT_FALSE(TakePrefetchedBook(home.file(QStringLiteral("other.psl")))) << qPrintable(name);
            ui.inputs.push_back(QStringLiteral("Secret"));
            open(name);
            EXPECT_FALSE(TakePrefetchedBook(home.file(name))) << "taken by the read: " << qPrintable(name);
        }
        EXPECT_EQ(RecordsOf(app.book.msfgCashier), before) << qPrintable(name);
        EXPECT_TRUE(ui.messages.empty()) << qPrintable(name);
        ui.inputs.clear();
    }
    // A file that is not there: nothing taken, and the read tells it as ever.
    const BookPrefetch missing(home.file(QStringLiteral("gone.psl")));
    EXPECT_FALSE(TakePrefetchedBook(home.file(QStringLiteral("gone.psl"))));
    open(QStringLiteral("gone.psl"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("ファイルが存在しないため、開くことはできません"));
}

TEST_F(BookFiles, WritingOwnKindAsksThePasswordAndClearsTheModifiedFlag)
{
    addRecord(QStringLiteral("2024/01/01"), QStringLiteral("A"), {}, QStringLiteral("1"));
    app.setModified(true);
    ui.inputs.push_back(QStringLiteral("pw"));
    save(QStringLiteral("p.psl"));
    ASSERT_EQ(ui.prompts.size(), 1u);
    EXPECT_EQ(ui.prompts[0].prompt,
              QStringLiteral("パスワードを入力してください。パスワードを設定しない場合には、キャンセルボタンを押してください。"));
    EXPECT_EQ(ui.prompts[0].title, QStringLiteral("パスワードの入力"));
    EXPECT_TRUE(ui.prompts[0].masked);
    EXPECT_FALSE(app.doc.modified);
    EXPECT_EQ(app.menu.caption(MenuItem::fileSave), QStringLiteral("p.psl の上書き保存(&S)"));
    EXPECT_EQ(ui.lastStatus(), QString());
    EXPECT_TRUE(home.read(QStringLiteral("p.psl")).startsWith("\"80708077\"\r\n"));
    EXPECT_TRUE(app.menu.history().isEmpty()); // Save itself leaves the history alone

    // Saving again and cancelling the prompt removes the protection.
    save(QStringLiteral("p.psl"));
    EXPECT_TRUE(home.read(QStringLiteral("p.psl")).startsWith("\"\"\r\n"));
}

TEST_F(BookFiles, BackupLeavesFlagCaptionAndHistoryAlone)
{
    addRecord(QStringLiteral("2024/01/01"), QStringLiteral("A"), {}, QStringLiteral("1"));
    app.setModified(true);
    save(QStringLiteral("purslet.bak"));
    EXPECT_TRUE(ui.prompts.empty());
    EXPECT_TRUE(app.doc.modified);
    EXPECT_EQ(app.menu.caption(MenuItem::fileSave), QStringLiteral("上書き保存(&S)"));
    EXPECT_EQ(home.read(QStringLiteral("purslet.bak")),
              QByteArrayLiteral("\"8032803080328034802F80308031802F80308031\",\"8041\",\"\",\"8031\",\"\"\r\n"));

    app.setWindowTitle(QStringLiteral("Purslet [x]"));
    ResetBook(app);
    FileReading(app, QString());
    EXPECT_EQ(records(), 1);
    EXPECT_EQ(app.doc.windowTitle, QStringLiteral("Purslet [x]"));
    EXPECT_TRUE(app.menu.history().isEmpty());
    EXPECT_EQ(app.menu.caption(MenuItem::fileSave), QStringLiteral("上書き保存(&S)"));
}

TEST_F(BookFiles, EmptyBookFilesHaveTheirExactBytes)
{
    save(QStringLiteral("e.psl"));
    save(QStringLiteral("e.bak"));
    save(QStringLiteral("e.csv"));
    EXPECT_EQ(home.read(QStringLiteral("e.psl")), QByteArrayLiteral("\"\"\r\n"));
    EXPECT_EQ(home.read(QStringLiteral("e.bak")), QByteArray());
    EXPECT_TRUE(home.exists(QStringLiteral("e.csv")));
    EXPECT_EQ(home.read(QStringLiteral("e.csv")), QByteArray());
}

TEST_F(BookFiles, AFailedWriteReachesTheCallerAndKeepsTheFlag)
{
    addRecord(QStringLiteral("2024/01/01"), QStringLiteral("A"), {}, QStringLiteral("1"));
    app.setModified(true);
    app.doc.path = home.file(QStringLiteral("missing/dir/keep.csv"));
    try {
        FileWriting(app);
        FAIL();
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), RuntimeError::PathNotFound);
    }
    EXPECT_TRUE(app.doc.modified);
    EXPECT_EQ(app.menu.caption(MenuItem::fileSave), QStringLiteral("上書き保存(&S)"));
    // A folder where the file should be.
    QDir(home.path()).mkdir(QStringLiteral("d.csv"));
    app.doc.path = home.file(QStringLiteral("d.csv"));
    EXPECT_THROW(FileWriting(app), RuntimeError);
    EXPECT_TRUE(app.doc.modified);

    // The writer refuses a book its row counter cannot step through.
    ResetBook(app);
    for (int i = 0; i <= kMaxWrittenRecords; ++i)
        addRecord(QStringLiteral("2024/01/01"), {}, QStringLiteral("1"), {});
    app.doc.path = home.file(QStringLiteral("big.psl"));
    EXPECT_THROW(FileWriting(app), RuntimeError);
    EXPECT_TRUE(ui.prompts.empty());
    EXPECT_FALSE(home.exists(QStringLiteral("big.psl")));
}

TEST_F(BookFiles, RecordCutShortKeepsWhatWasReadAfterYes)
{
    home.write(QStringLiteral("cut.csv"), QByteArrayLiteral("2024/01/01,a,5,,m\r\n2024/01/02,b\r\n"));
    ui.answers.push_back(MsgAnswer::Yes);
    open(QStringLiteral("cut.csv"));
    ASSERT_EQ(records(), 2);
    EXPECT_EQ(cashierRow(2), (QStringList{"2024/01/02", "b", "", "", "5", ""}));
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("システムエラー (エラーNo.62)"));
    EXPECT_EQ(app.menu.history(), QStringList{home.file(QStringLiteral("cut.csv"))});
}

TEST_F(BookFiles, WrongOrCancelledPasswordChangesNothing)
{
    ui.inputs.push_back(QStringLiteral("Key"));
    save(QStringLiteral("locked.psl"));
    ResetBook(app);
    for (const QString answer : {"key", ""}) {
        makeCurrentBook();
        ui.messages.clear();
        ui.inputs.push_back(answer);
        open(QStringLiteral("locked.psl"));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.lastMessage().text, QStringLiteral("パスワードが違うためファイルが開けません。"));
        EXPECT_EQ(ui.lastMessage().title, QStringLiteral("パスワードエラー"));
        EXPECT_EQ(ui.lastMessage().icon, MsgIcon::Critical);
        EXPECT_EQ(ui.prompts.back().prompt, QStringLiteral("パスワードを入力してください。"));
        EXPECT_TRUE(ui.prompts.back().masked);
        EXPECT_TRUE(app.doc.openRefused);
        expectCurrentBookKept();
        ResetBook(app);
    }
    ui.inputs.push_back(QStringLiteral("Key"));
    open(QStringLiteral("locked.psl"));
    EXPECT_FALSE(app.doc.openRefused);
    EXPECT_EQ(app.doc.path, home.file(QStringLiteral("locked.psl")));
}

TEST_F(BookFiles, MissingFileEmptiesTheBookAndKeepsTheName)
{
    makeCurrentBook();
    open(QStringLiteral("nothere.psl"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastMessage().text, QStringLiteral("ファイルが存在しないため、開くことはできません"));
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("ファイルエラー"));
    EXPECT_EQ(records(), 0);
    EXPECT_FALSE(app.doc.modified);
    // The empty book now stands for the name asked for, and says so.
    EXPECT_EQ(app.doc.path, home.file(QStringLiteral("nothere.psl")));
    EXPECT_EQ(app.doc.windowTitle, QStringLiteral("Purslet [") + home.file(QStringLiteral("nothere.psl")) + "]");
    EXPECT_EQ(app.menu.caption(MenuItem::fileSave), QStringLiteral("nothere.psl の上書き保存(&S)"));
    EXPECT_TRUE(app.menu.history().isEmpty());

    // A missing folder is the same.
    open(QStringLiteral("no/such/dir/x.csv"));
    EXPECT_EQ(ui.lastMessage().text, QStringLiteral("ファイルが存在しないため、開くことはできません"));
}

TEST_F(BookFiles, TooManyRecordsAreRefusedBeforeAnythingChanges)
{
    QByteArray text;
    for (int i = 0; i <= kMaxRecords; ++i)
        text += "2024/01/01,,1,,\r\n";
    home.write(QStringLiteral("huge.csv"), text);
    makeCurrentBook();
    open(QStringLiteral("huge.csv"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("ファイルエラー"));
    EXPECT_TRUE(ui.lastMessage().text.contains(QStringLiteral("32,767")));
    expectCurrentBookKept();

    // One record fewer is the largest book and opens.
    text.chop(int(qstrlen("2024/01/01,,1,,\r\n")));
    home.write(QStringLiteral("huge.csv"), text);
    open(QStringLiteral("huge.csv"));
    EXPECT_EQ(records(), kMaxRecords);
    EXPECT_EQ(app.book.msfgCashier.text(kMaxRecords, 4), QStringLiteral("32,767"));
}

TEST_F(BookFiles, EmptyOwnFileOpensEmptyAfterYes)
{
    home.write(QStringLiteral("empty.psl"), QByteArray());
    makeCurrentBook();
    ui.answers.push_back(MsgAnswer::No);
    open(QStringLiteral("empty.psl"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("システムエラー (エラーNo.62)"));
    EXPECT_EQ(ui.lastMessage().icon, MsgIcon::Warning);
    expectCurrentBookKept();

    ui.answers.push_back(MsgAnswer::Yes);
    open(QStringLiteral("empty.psl"));
    EXPECT_EQ(records(), 0);
    EXPECT_EQ(app.doc.windowTitle, QStringLiteral("Purslet [") + home.file(QStringLiteral("empty.psl")) + "]");
    EXPECT_EQ(app.menu.history(), QStringList{home.file(QStringLiteral("empty.psl"))});
    EXPECT_EQ(app.menu.caption(MenuItem::fileSave), QStringLiteral("empty.psl の上書き保存(&S)"));
}

TEST_F(BookFiles, BrokenRecordIsSkippedOnYesAndEndsTheReadOnNo)
{
    QByteArray bytes = SerializeBook({BookRecord{"2024/01/01", "a", "1", "", ""},
                                      BookRecord{"2024/01/02", "b", "2", "", ""},
                                      BookRecord{"2024/01/03", "c", "3", "", ""}},
                                     BookKind::Own);
    bytes.replace("\"8062\"", "\"80Z2\"");
    home.write(QStringLiteral("broken.psl"), bytes);

    ui.answers.push_back(MsgAnswer::Yes);
    open(QStringLiteral("broken.psl"));
    ASSERT_EQ(records(), 2);
    EXPECT_EQ(app.book.msfgCashier.text(2, 1), QStringLiteral("c"));
    EXPECT_EQ(app.book.msfgCashier.text(2, 4), QStringLiteral("4"));
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("システムエラー (エラーNo.13)"));

    // No: the rows read so far stay with true balances and totals. They are
    // not the whole file, so they belong to no file at all.
    ResetBook(app);
    app.menu.setHistory({});
    makeCurrentBook();
    ui.answers.push_back(MsgAnswer::No);
    open(QStringLiteral("broken.psl"));
    ASSERT_EQ(records(), 1);
    EXPECT_EQ(app.book.msfgCashier.text(1, 1), QStringLiteral("a"));
    const Grid &cashier = app.book.msfgCashier;
    EXPECT_EQ(cashier.text(1, 4), QStringLiteral("1"));
    EXPECT_EQ(cashier.rowTexts(cashier.rows() - 1).mid(0, 5),
              QStringList({QStringLiteral("合計"), QStringLiteral("---"), QStringLiteral("1"), QStringLiteral("0"),
                           QStringLiteral("1")}));
    EXPECT_EQ(app.book.BookIncomeTotal, Amount::parse(QStringLiteral("1")));
    EXPECT_TRUE(app.menu.history().isEmpty());
    EXPECT_TRUE(app.doc.path.isEmpty());
    EXPECT_EQ(app.doc.windowTitle, QStringLiteral("Purslet"));
    EXPECT_EQ(app.menu.caption(MenuItem::fileSave), QStringLiteral("上書き保存(&S)"));
    EXPECT_EQ(app.book.msfgCashier.text(app.book.msfgCashier.rows() - 1, 0), QStringLiteral("合計"));
}

TEST_F(BookFiles, ImportsUtf8TextWithLfLineEnds)
{
    home.write(QStringLiteral("in.csv"), QStringLiteral("2024/05/01,お小遣い,\"3,000\",,\"母から\"\"感謝\"\"\"\n"
                                                        "2024/05/02,本,,1200,\n")
                                             .toUtf8());
    open(QStringLiteral("in.csv"));
    ASSERT_EQ(records(), 2);
    EXPECT_EQ(cashierRow(1), (QStringList{"2024/05/01", QStringLiteral("お小遣い"), "3,000", "", "3,000",
                                          QStringLiteral("母から\"感謝\"")}));
    EXPECT_EQ(cashierRow(2), (QStringList{"2024/05/02", QStringLiteral("本"), "", "1200", "1,800", ""}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BookFiles, Utf8TextMeetsTheCatalogAsCodePage932GivesItBack)
{
    // The catalog holds "q－z" (0x817C); a Linux program wrote the minus
    // sign U+2212 in one record and U+FF0D in the other.
    home.write(QStringLiteral("Outgo.ini"), QByteArrayLiteral("[0]\r\nMatter=q\x81\x7Cz\r\nEstimate=0\r\n"));
    home.write(QStringLiteral("in.csv"),
               QByteArrayLiteral("2024/05/01,q\xE2\x88\x92z,,100,\n2024/05/02,q\xEF\xBC\x8Dz,,200,\n"));
    open(QStringLiteral("in.csv"));
    ASSERT_EQ(records(), 2);
    EXPECT_EQ(app.book.msfgCashier.text(1, 1), QStringLiteral("q－z"));
    const Grid &outgo = app.book.msfgOutgo;
    ASSERT_GE(outgo.rows(), 2);
    EXPECT_EQ(outgo.text(1, 0), QStringLiteral("q－z"));
    EXPECT_EQ(outgo.text(1, 3), QStringLiteral("300"));
}

TEST_F(BookFiles, ReadsTheLargestBook)
{
    // Speed is the benchmark's business; here every record must arrive.
    const QByteArray line = SerializeBook({BookRecord{QStringLiteral("2024/01/01"), QStringLiteral("食費"), {},
                                                      QStringLiteral("1,000"), QStringLiteral("昼ごはん")}},
                                          BookKind::Backup);
    const QByteArray bytes = line.repeated(kMaxRecords);
    home.write(QStringLiteral("big.bak"), bytes);
    app.doc.path = home.file(QStringLiteral("big.bak"));
    const ParsedBook parsed = ParseBook(bytes, BookKind::Backup);
    EXPECT_EQ(parsed.records.size(), size_t(kMaxRecords));
    FileReading(app, QString());
    ASSERT_EQ(records(), kMaxRecords);
    EXPECT_EQ(app.book.msfgCashier.text(kMaxRecords, 4), QStringLiteral("-32,767,000"));
}

TEST(FileHistory, KeepsFourPathsMostRecentFirst)
{
    TempHome home;
    ScriptedUi ui;
    App app(ui, home.path());
    EXPECT_FALSE(app.menu.item(MenuItem::fileHistory).visible);
    for (const QString p : {"A", "B", "C", "D", "E"}) {
        app.doc.path = p;
        UpdateFileHistory(app);
    }
    EXPECT_EQ(app.menu.history(), (QStringList{"E", "D", "C", "B"}));
    app.doc.path = QStringLiteral("B");
    UpdateFileHistory(app);
    EXPECT_EQ(app.menu.history(), (QStringList{"B", "E", "D", "C"}));
    app.doc.path = QStringLiteral("b"); // another file
    UpdateFileHistory(app);
    EXPECT_EQ(app.menu.history(), (QStringList{"b", "B", "E", "D"}));
    EXPECT_TRUE(app.menu.item(MenuItem::fileHistory).visible);
    EXPECT_TRUE(app.menu.enabled(MenuItem::setupDeleteHistory));

    // A longer hand-edited list loses only its fifth path.
    app.menu.setHistory({"1", "2", "3", "4", "5", "6"});
    app.doc.path = QStringLiteral("new");
    UpdateFileHistory(app);
    EXPECT_EQ(app.menu.history(), (QStringList{"new", "1", "2", "3", "5", "6"}));
}

TEST_F(BookFiles, AZeroIncomeInAnyFormIsOutgo)
{
    home.writeText(QStringLiteral("Outgo.ini"), QStringLiteral("[0]\nMatter=本\n"));
    const char *zeroIncomes[] = {"", "00", "0,000", "-0", "---"};
    QByteArray bytes;
    for (const char *income : zeroIncomes)
        bytes += QByteArray("\"2024/05/01\",\"") + ToCp932(QStringLiteral("本")) + "\",\"" + income
               + "\",\"500\",\"\"\r\n";
    home.write(QStringLiteral("zero.csv"), bytes);
    open(QStringLiteral("zero.csv"));
    ASSERT_EQ(records(), 5);
    const Grid &outgo = app.book.msfgOutgo;
    ASSERT_EQ(outgo.text(1, 0), QStringLiteral("本"));
    EXPECT_EQ(outgo.text(1, 3), QStringLiteral("2,500")); // every record's outgo
    EXPECT_EQ(outgo.rows(), 5); // and no remainder row beside it
}
