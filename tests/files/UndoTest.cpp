#include "ShellBookFixture.h"

#include "files/Backup.h"
#include "presenters/FileCommands.h"
#include "presenters/UndoCommand.h"
#include "presenters/EditCommands.h"
#include "presenters/MatterEditorPresenter.h"

#include <QDir>
#include <QFile>

using namespace purslet;
using namespace purslet::test;

namespace {

class UndoTest : public ShellBookFixture
{
protected:
    bool undoEnabled() const { return app.menu.enabled(MenuItem::editUndo); }
    QString undoCaption() const { return app.menu.caption(MenuItem::editUndo); }
    void highSpeed(bool on) { app.menu.setChecked(MenuItem::setupHighSpeedMode, on); }
};

TEST_F(UndoTest, UndoReturnsToTheStateBeforeTheLastEntryOnly)
{
    EXPECT_FALSE(undoEnabled());
    EXPECT_EQ(undoCaption(), QStringLiteral("元に戻せません(&U)"));

    enter(QStringLiteral("2026/12/01"), QStringLiteral("100"));
    enter(QStringLiteral("2026/12/02"), QStringLiteral("200"));
    EXPECT_TRUE(undoEnabled());
    EXPECT_EQ(undoCaption(), QStringLiteral("元に戻す(&U) -入力"));
    EXPECT_TRUE(home.exists(QStringLiteral("purslet.bak")));

    ui.answers = {MsgAnswer::Yes};
    editUndo_Click(app);
    EXPECT_EQ(ui.lastMessage().text, QStringLiteral("元に戻しますか？"));
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("データを戻す"));
    EXPECT_EQ(dates(), QStringList{QStringLiteral("2026/12/01")});
    EXPECT_EQ(app.book.msfgCashier.text(1, 4), QStringLiteral("100"));
    EXPECT_TRUE(app.doc.modified); // not on disk: the save question must come
    EXPECT_FALSE(undoEnabled());
    EXPECT_EQ(undoCaption(), QStringLiteral("元に戻せません(&U)"));

    // A second Undo (from the toolbar) explains that there is nothing to restore.
    editUndo_Click(app);
    EXPECT_EQ(ui.lastMessage().text, QStringLiteral("バックアップファイルが存在しないため戻すことができません。"));
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("バックアップエラー"));
    EXPECT_EQ(ui.lastMessage().icon, MsgIcon::Critical);
    EXPECT_EQ(dates(), QStringList{QStringLiteral("2026/12/01")});
}

TEST_F(UndoTest, NoKeepsTheBookAndTheOffer)
{
    enter(QStringLiteral("2026/12/01"), QStringLiteral("100"));
    ui.answers = {MsgAnswer::No};
    editUndo_Click(app);
    EXPECT_EQ(app.book.recordCount(), 1);
    EXPECT_TRUE(undoEnabled());
}

TEST_F(UndoTest, HighSpeedModeTakesNoBackupAndUndoGoesToTheLastOneTaken)
{
    enter(QStringLiteral("2026/12/01"), QStringLiteral("100"));
    highSpeed(true);
    const QByteArray backup = home.read(QStringLiteral("purslet.bak"));
    enter(QStringLiteral("2026/12/02"), QStringLiteral("200"));
    enter(QStringLiteral("2026/12/03"), QStringLiteral("300"));
    EXPECT_EQ(home.read(QStringLiteral("purslet.bak")), backup);

    ui.answers = {MsgAnswer::Yes};
    editUndo_Click(app);
    EXPECT_EQ(app.book.recordCount(), 0); // before the first of the three
}

TEST_F(UndoTest, UndoRestoresDeletedRowsAndKeepsTheBooksFile)
{
    FileCommands files(app);
    enter(QStringLiteral("2026/12/01"), QStringLiteral("100"));
    enter(QStringLiteral("2026/12/02"), QStringLiteral("200"));
    const QString path = home.file(QStringLiteral("mine.csv"));
    ui.savePaths = {path};
    files.fileWrite_Click();

    MatterEditorPresenter editor(app);
    EditCommands edit(app, editor);
    app.book.msfgCashier.setSelection(1, 0, 2, 5);
    app.menu.setEnabled(MenuItem::editDelete, true);
    ui.answers = {MsgAnswer::Yes};
    edit.editDelete_Click();
    ASSERT_EQ(app.book.recordCount(), 0);
    EXPECT_EQ(undoCaption(), QStringLiteral("元に戻す(&U) -入力"));

    ui.answers = {MsgAnswer::Yes};
    editUndo_Click(app);
    EXPECT_EQ(dates(), (QStringList{QStringLiteral("2026/12/01"), QStringLiteral("2026/12/02")}));
    EXPECT_EQ(app.doc.path, path);
    EXPECT_EQ(app.doc.title, QStringLiteral("mine.csv"));
    EXPECT_EQ(app.doc.windowTitle, QStringLiteral("Purslet [") + path + QLatin1Char(']'));
    EXPECT_EQ(app.menu.history(), QStringList{path}); // the backup never enters the history

    // Save after Undo writes the book's own file.
    enter(QStringLiteral("2026/12/03"), QStringLiteral("1"));
    files.fileSave_Click();
    EXPECT_TRUE(home.read(QStringLiteral("mine.csv")).contains("2026/12/03"));
}

TEST_F(UndoTest, AVanishedBackupDoesNotEmptyTheBook)
{
    enter(QStringLiteral("2026/12/01"), QStringLiteral("100"));
    QFile::remove(home.file(QStringLiteral("purslet.bak")));
    ui.answers = {MsgAnswer::Yes};
    editUndo_Click(app);
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("バックアップエラー"));
    EXPECT_EQ(app.book.recordCount(), 1);
    EXPECT_FALSE(undoEnabled());
}

TEST_F(UndoTest, ABackupThatCannotBeWrittenAsksAndRestoresThePath)
{
    app.doc.path = QStringLiteral("/somewhere/book.psl");
    QFile::remove(home.file(QStringLiteral("purslet.bak")));
    // A folder where the backup file should be: the write fails.
    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("purslet.bak")));
    ui.answers = {MsgAnswer::Yes};
    TakeBackup(app, QStringLiteral("入力"));
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.lastMessage().icon, MsgIcon::Critical); // the program-wide dialog
    EXPECT_EQ(app.doc.path, QStringLiteral("/somewhere/book.psl"));
    EXPECT_TRUE(undoEnabled());
    EXPECT_EQ(ui.endRequests, 0);

    ui.answers = {MsgAnswer::No};
    TakeBackup(app, QStringLiteral("入力"));
    EXPECT_EQ(ui.endRequests, 1);
    EXPECT_EQ(app.doc.path, QStringLiteral("/somewhere/book.psl"));
}

} // namespace
