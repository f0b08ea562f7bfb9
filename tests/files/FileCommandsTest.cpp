#include "ShellBookFixture.h"

#include "files/BookFormat.h"
#include "presenters/FileCommands.h"
#include "data/Book.h"

#include <QDir>
#include <QFile>

using namespace purslet;
using namespace purslet::test;

namespace {

class FileCommandsTest : public ShellBookFixture
{
protected:
    FileCommands files{app};

    // Makes the book modified with one record.
    void modify() { enter(QStringLiteral("2026/12/01"), QStringLiteral("1000")); }

    int saveQuestions() const
    {
        int n = 0;
        for (const auto &m : ui.messages)
            if (m.text == QStringLiteral("ファイルの変更内容を保存しますか？"))
                ++n;
        return n;
    }
};

TEST_F(FileCommandsTest, AnswerNoThenCancelOpenKeepsTheModifiedBook)
{
    modify();
    ui.answers = {MsgAnswer::No};
    files.fileOpen_Click(); // the dialog is cancelled (no path scripted)

    ASSERT_EQ(saveQuestions(), 1);
    EXPECT_EQ(ui.messages.front().title, QStringLiteral("ファイルの保存"));
    EXPECT_EQ(ui.messages.front().icon, MsgIcon::Question);
    EXPECT_EQ(ui.messages.front().buttons, MsgButtons::YesNo);
    EXPECT_TRUE(app.doc.modified);
    EXPECT_EQ(app.book.recordCount(), 1);

    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    const FileDialogRequest &r = ui.fileDialogs.front();
    EXPECT_EQ(r.title, QStringLiteral("ファイルを開く"));
    EXPECT_EQ(r.filter, QStringLiteral("Pursletファイル (*.psl)|*.psl|暗号化された出納帳 (*.pslx)|*.pslx|"
                                       "カンマ区切りファイル (*.csv)|*.csv|"
                                       "テキストファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*"));
    EXPECT_EQ(r.defaultSuffix, QStringLiteral("psl"));
    EXPECT_TRUE(r.askCreate);
    EXPECT_FALSE(r.askOverwrite);
}

TEST_F(FileCommandsTest, NewAsksOnAModifiedBookAndEmptiesIt)
{
    ui.savePaths = {home.file(QStringLiteral("a.csv"))};
    files.fileWrite_Click();
    modify();
    ui.answers = {MsgAnswer::No};
    files.fileNew_Click();

    EXPECT_EQ(saveQuestions(), 1);
    EXPECT_EQ(app.book.recordCount(), 0);
    EXPECT_FALSE(app.doc.modified);
    EXPECT_EQ(app.doc.windowTitle, QStringLiteral("Purslet"));
    EXPECT_EQ(saveCaption(), QStringLiteral("上書き保存(&S)"));
    EXPECT_TRUE(app.doc.path.isEmpty());
    EXPECT_TRUE(app.doc.title.isEmpty());

    // Unmodified: no question at all.
    files.fileNew_Click();
    EXPECT_EQ(saveQuestions(), 1);
}

TEST_F(FileCommandsTest, SaveOfANeverSavedBookOpensSaveAs)
{
    modify();
    const QString path = home.file(QStringLiteral("book.csv"));
    ui.savePaths = {path};
    files.fileSave_Click();

    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs.front().title, QStringLiteral("ファイルの保存"));
    EXPECT_TRUE(ui.fileDialogs.front().askOverwrite);
    EXPECT_FALSE(ui.fileDialogs.front().askCreate);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(app.doc.path, path);
    EXPECT_EQ(app.doc.windowTitle, QStringLiteral("Purslet [") + path + QLatin1Char(']'));
    EXPECT_EQ(saveCaption(), QStringLiteral("book.csv の上書き保存(&S)"));
    EXPECT_FALSE(app.doc.modified);
    EXPECT_EQ(app.menu.history(), QStringList{path});
}

TEST_F(FileCommandsTest, YesOnANeverSavedBookThenCancelEndsTheCommand)
{
    modify();
    ui.answers = {MsgAnswer::Yes};
    files.fileNew_Click(); // Save As is offered and cancelled

    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs.front().title, QStringLiteral("ファイルの保存"));
    EXPECT_EQ(app.book.recordCount(), 1); // New stopped, the changes are kept
    EXPECT_TRUE(app.doc.modified);

    // The same for Open: no open dialog after the cancelled Save As.
    ui.answers = {MsgAnswer::Yes};
    files.fileOpen_Click();
    ASSERT_EQ(ui.fileDialogs.size(), 2u);
    EXPECT_EQ(ui.fileDialogs[1].title, QStringLiteral("ファイルの保存"));
    EXPECT_EQ(app.book.recordCount(), 1);
}

TEST_F(FileCommandsTest, SaveAsThenSaveWritesTheSameFileAndAsksThePasswordAgain)
{
    QDir(home.path()).mkdir(QStringLiteral("books"));
    const QString path = home.file(QStringLiteral("books/own.psl"));
    modify();
    ui.savePaths = {path};
    ui.inputs = {QStringLiteral("secret"), QString()};
    files.fileWrite_Click();
    ASSERT_EQ(ui.prompts.size(), 1u);
    EXPECT_TRUE(ui.prompts.back().masked);
    EXPECT_EQ(saveCaption(), QStringLiteral("own.psl の上書き保存(&S)"));

    enter(QStringLiteral("2026/12/02"), QStringLiteral("5"));
    EXPECT_TRUE(app.doc.modified);
    files.fileSave_Click();
    EXPECT_EQ(ui.fileDialogs.size(), 1u); // no second dialog
    EXPECT_EQ(ui.prompts.size(), 2u);     // the password question again
    EXPECT_FALSE(app.doc.modified);
    EXPECT_EQ(app.doc.path, path);
    // The history took the path once, from Save As only.
    EXPECT_EQ(app.menu.history(), QStringList{path});

    // What was written reads back: two records, no password any more.
    files.fileNew_Click();
    ui.openPaths = {path};
    files.fileOpen_Click();
    EXPECT_EQ(dates(), (QStringList{QStringLiteral("2026/12/01"), QStringLiteral("2026/12/02")}));
    EXPECT_EQ(app.doc.windowTitle, QStringLiteral("Purslet [") + path + QLatin1Char(']'));
}

TEST_F(FileCommandsTest, AFailedSaveReportsAndKeepsTheBookModified)
{
    const QString path = home.file(QStringLiteral("kept.csv"));
    modify();
    ui.savePaths = {path};
    files.fileWrite_Click();
    const QByteArray before = home.read(QStringLiteral("kept.csv"));
    ASSERT_FALSE(before.isEmpty());

    // More records than a book holds: the write fails before the file is touched.
    app.book.msfgCashier.setRows(kMaxWrittenRecords + 5);
    app.setModified(true);
    ui.answers = {MsgAnswer::Yes};
    files.fileSave_Click();

    ASSERT_FALSE(ui.messages.empty());
    EXPECT_TRUE(ui.lastMessage().title.startsWith(QStringLiteral("システムエラー (エラーNo.")));
    EXPECT_EQ(ui.lastMessage().icon, MsgIcon::Warning);
    EXPECT_TRUE(app.doc.modified);
    EXPECT_EQ(home.read(QStringLiteral("kept.csv")), before);
}

TEST_F(FileCommandsTest, AnErrorAnsweredNoUnderTheSaveQuestionEndsTheCommand)
{
    ui.savePaths = {home.file(QStringLiteral("x.csv"))};
    files.fileWrite_Click();
    app.book.msfgCashier.setRows(kMaxWrittenRecords + 5);
    app.setModified(true);
    ui.answers = {MsgAnswer::Yes, MsgAnswer::No}; // save: yes; error dialog: no
    files.fileNew_Click();
    EXPECT_TRUE(app.doc.modified); // New did not go on
    EXPECT_EQ(app.book.recordCount(), kMaxWrittenRecords + 1);
}

TEST_F(FileCommandsTest, RecentFilesOpenThroughFileHistoryClick)
{
    QStringList paths;
    for (const char *name : {"a.csv", "b.csv", "c.csv", "d.csv", "e.csv"}) {
        const QString path = home.file(QString::fromLatin1(name));
        paths << path;
        files.fileNew_Click();
        ui.savePaths = {path};
        files.fileWrite_Click();
    }
    EXPECT_EQ(app.menu.history(), (QStringList{paths[4], paths[3], paths[2], paths[1]}));

    files.fileHistory_Click(3); // element 3 is c.csv
    EXPECT_EQ(app.doc.path, paths[2]);
    EXPECT_EQ(app.doc.title, QStringLiteral("c.csv"));
    EXPECT_EQ(saveCaption(), QStringLiteral("c.csv の上書き保存(&S)"));
    EXPECT_EQ(app.menu.history(), (QStringList{paths[2], paths[4], paths[3], paths[1]}));

    // The save question comes first on a modified book.
    modify();
    ui.answers = {MsgAnswer::No};
    files.fileHistory_Click(2);
    EXPECT_EQ(saveQuestions(), 1);
    EXPECT_EQ(app.doc.path, paths[4]);
    EXPECT_EQ(app.book.recordCount(), 0);
}

TEST_F(FileCommandsTest, OpenOfANewNameKeepsThePathForALaterSave)
{
    const QString path = home.file(QStringLiteral("new.csv"));
    ui.openPaths = {path};
    files.fileOpen_Click();
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("ファイルエラー"));
    EXPECT_EQ(app.doc.path, path);
    EXPECT_EQ(app.doc.windowTitle, QStringLiteral("Purslet [") + path + QLatin1Char(']'));
    modify();
    files.fileSave_Click();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(ui.fileDialogs.size(), 1u);
}

// A backup file opened by the user is the book's file from then on: the
// title and the Save caption must name it, since a Save writes there.
TEST_F(FileCommandsTest, AnOpenedBackupFileIsNamedLikeAnyBook)
{
    modify();
    const QString saved = home.file(QStringLiteral("book.csv"));
    ui.savePaths = {saved};
    files.fileWrite_Click();

    const QString backup = home.file(QStringLiteral("old.bak"));
    ASSERT_TRUE(QFile::copy(app.programFile(QStringLiteral("purslet.bak")), backup));
    ui.openPaths = {backup};
    files.fileOpen_Click();
    EXPECT_EQ(app.doc.path, backup);
    EXPECT_EQ(app.doc.windowTitle, QStringLiteral("Purslet [") + backup + QLatin1Char(']'));
    EXPECT_EQ(app.menu.caption(MenuItem::fileSave), QStringLiteral("old.bak の上書き保存(&S)"));
    EXPECT_EQ(app.menu.history().value(0), backup);
}

TEST_F(FileCommandsTest, WrongPasswordKeepsThePreviousBookAndFile)
{
    const QString locked = home.file(QStringLiteral("locked.psl"));
    modify();
    ui.savePaths = {locked};
    ui.inputs = {QStringLiteral("pw")};
    files.fileWrite_Click();

    const QString other = home.file(QStringLiteral("other.csv"));
    files.fileNew_Click();
    enter(QStringLiteral("2026/01/01"), QStringLiteral("7"));
    ui.savePaths = {other};
    files.fileWrite_Click();
    enter(QStringLiteral("2026/01/02"), QStringLiteral("8"));

    ui.answers = {MsgAnswer::No};
    ui.openPaths = {locked};
    ui.inputs = {QStringLiteral("PW")};
    files.fileOpen_Click();
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("パスワードエラー"));
    EXPECT_EQ(app.doc.path, other);
    EXPECT_EQ(app.doc.title, QStringLiteral("other.csv"));
    EXPECT_TRUE(app.doc.modified);
    EXPECT_EQ(app.book.recordCount(), 2);
}

TEST_F(FileCommandsTest, CommandLineOpenSetsSkipNextResetUnlessRefused)
{
    const QString path = home.file(QStringLiteral("start.psl"));
    modify();
    ui.savePaths = {path};
    ui.inputs = {QStringLiteral("pw")};
    files.fileWrite_Click();
    files.fileNew_Click();

    ui.inputs = {QStringLiteral("pw")};
    files.openFromCommandLine(path);
    EXPECT_TRUE(app.book.SkipNextReset);
    ResetBook(app); // the start-up reset leaves the book read
    EXPECT_EQ(app.book.recordCount(), 1);
    EXPECT_FALSE(app.book.SkipNextReset);

    files.fileNew_Click();
    ui.inputs = {QStringLiteral("wrong")};
    files.openFromCommandLine(path);
    EXPECT_FALSE(app.book.SkipNextReset);

    // A file the reader cannot open leaves the book unbuilt: reset it.
    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("folder.psl")));
    files.openFromCommandLine(home.file(QStringLiteral("folder.psl")));
    EXPECT_TRUE(ui.lastMessage().title.startsWith(QStringLiteral("システムエラー")));
    EXPECT_FALSE(app.book.SkipNextReset);

    // A missing file: the reader's message, an empty book that stays.
    files.openFromCommandLine(home.file(QStringLiteral("missing.psl")));
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("ファイルエラー"));
    EXPECT_TRUE(app.book.SkipNextReset);
}

} // namespace
