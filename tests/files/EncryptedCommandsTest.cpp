#include "ShellBookFixture.h"

#include "files/EncryptedBook.h"
#include "presenters/FileCommands.h"
#include "presenters/UndoCommand.h"
#include "platform/Codepage.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

using namespace purslet;
using namespace purslet::test;

namespace {

const QString kMemo = QStringLiteral("誰にも見せないメモ");

// The save's password prompt answers from its own script, so that an empty
// answer and Cancel can be told apart.
class PasswordUi final : public ScriptedUi
{
public:
    std::deque<NewPassword> newPasswords; // default: Cancel
    int newPasswordPrompts = 0;

    NewPassword newPasswordBox(const QString &prompt, const QString &title) override
    {
        ++newPasswordPrompts;
        prompts.push_back({prompt, title, QString(), true});
        if (newPasswords.empty())
            return NewPassword{QString(), QString(), false, true};
        NewPassword next = newPasswords.front();
        newPasswords.pop_front();
        return next;
    }
};

class EncryptedCommands : public ::testing::Test
{
protected:
    EncryptedCommands() : app(ui, home.path()), input(app)
    {
        app.doc.newKeyLimits = KdfLimits{1, 8192}; // quick; the default is the real work
        ResetBook(app);
    }

    void enter(const QString &date, const QString &memo = kMemo)
    {
        input.setDate(date);
        input.setIncome(true);
        input.setMatter(QString(), 0);
        input.setMoneyText(QStringLiteral("1000"));
        input.txtMoney_Change();
        input.setMemo(memo, int(memo.size()));
        input.cmdEnter_Click();
    }

    QStringList memos() const
    {
        QStringList m;
        for (int r = 1; r <= app.book.recordCount(); ++r)
            m << app.book.msfgCashier.text(r, 0) + QLatin1Char(' ') + app.book.msfgCashier.text(r, 5);
        return m;
    }

    // Saves the book as an encrypted book with the password.
    void saveAs(const QString &name, const QString &password = QStringLiteral("pw"))
    {
        ui.savePaths = {home.file(name)};
        ui.newPasswords = {NewPassword{password, password}};
        files.fileWrite_Click();
    }

    void open(const QString &name, const QString &password = QStringLiteral("pw"))
    {
        ui.openPaths = {home.file(name)};
        ui.inputs = {password};
        files.fileOpen_Click();
    }

    // Every file in the program folder that holds the memo's bytes.
    QStringList filesHoldingTheMemo() const
    {
        QStringList found;
        QDirIterator it(home.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile f(path);
            if (f.open(QIODevice::ReadOnly) && f.readAll().contains(ToCp932(kMemo)))
                found << QFileInfo(path).fileName();
        }
        return found;
    }

    TempHome home;
    PasswordUi ui;
    App app;
    InputPresenter input;
    FileCommands files{app};
};

} // namespace

TEST_F(EncryptedCommands, SaveAsAsksTwiceThenSaveAndOpenRoundTrip)
{
    enter(QStringLiteral("2026/12/01"));
    saveAs(QStringLiteral("book.pslx"));
    ASSERT_EQ(ui.newPasswordPrompts, 1);
    EXPECT_EQ(ui.prompts.back().prompt, QStringLiteral("パスワードを入力してください。"));
    EXPECT_TRUE(IsEncryptedBook(home.read(QStringLiteral("book.pslx"))));
    EXPECT_TRUE(app.doc.key.held());
    EXPECT_FALSE(app.doc.modified);
    EXPECT_EQ(app.menu.caption(MenuItem::fileSave), QStringLiteral("book.pslx の上書き保存(&S)"));

    // A plain Save writes again with the key it holds, without asking.
    enter(QStringLiteral("2026/12/02"));
    const QByteArray before = home.read(QStringLiteral("book.pslx"));
    files.fileSave_Click();
    EXPECT_EQ(ui.newPasswordPrompts, 1);
    EXPECT_NE(home.read(QStringLiteral("book.pslx")), before);

    files.fileNew_Click();
    EXPECT_FALSE(app.doc.key.held()); // closed: the key is wiped
    open(QStringLiteral("book.pslx"));
    EXPECT_EQ(memos(), (QStringList{QStringLiteral("2026/12/01 ") + kMemo, QStringLiteral("2026/12/02 ") + kMemo}));
    EXPECT_EQ(ui.prompts.back().prompt, QStringLiteral("パスワードを入力してください。"));
    EXPECT_TRUE(app.doc.key.held());
    EXPECT_EQ(app.menu.history().first(), home.file(QStringLiteral("book.pslx")));

    // Nothing beside it holds the records: not the backup the entries took,
    // not a temporary file, not the settings.
    EXPECT_TRUE(home.exists(QStringLiteral("purslet.bak")));
    EXPECT_EQ(filesHoldingTheMemo(), QStringList());

    // Save As another encrypted book asks for a new password.
    saveAs(QStringLiteral("other.pslx"), QStringLiteral("new"));
    EXPECT_EQ(ui.newPasswordPrompts, 2);
    files.fileNew_Click();
    open(QStringLiteral("other.pslx"), QStringLiteral("pw"));
    EXPECT_EQ(app.book.recordCount(), 0);
    open(QStringLiteral("other.pslx"), QStringLiteral("new"));
    EXPECT_EQ(app.book.recordCount(), 2);
}

TEST_F(EncryptedCommands, TheNewPasswordIsRefusedEmptyOrUnwritableAndCancelWritesNothing)
{
    enter(QStringLiteral("2026/12/01"));
    ui.savePaths = {home.file(QStringLiteral("book.pslx"))};
    ui.newPasswords = {NewPassword{}, NewPassword{QStringLiteral("a😀"), QStringLiteral("a😀")},
                       NewPassword{QStringLiteral("a"), QStringLiteral("b")}, NewPassword{QStringLiteral("ok"), QStringLiteral("ok")}};
    files.fileWrite_Click();
    EXPECT_EQ(ui.newPasswordPrompts, 4);
    ASSERT_GE(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[ui.messages.size() - 3].text,
              QStringLiteral("暗号化された出納帳にはパスワードが必要です。パスワードを入力してください。"));
    EXPECT_TRUE(home.exists(QStringLiteral("book.pslx")));

    // Cancel: nothing written, and the command waiting on the save stops.
    files.fileNew_Click();
    enter(QStringLiteral("2026/12/05"));
    ui.savePaths = {home.file(QStringLiteral("never.pslx"))};
    ui.answers = {MsgAnswer::Yes};
    files.fileNew_Click(); // the save question: Yes, Save As, Cancel at the password
    EXPECT_FALSE(home.exists(QStringLiteral("never.pslx")));
    EXPECT_EQ(app.book.recordCount(), 1);
    EXPECT_TRUE(app.doc.modified);
}

TEST_F(EncryptedCommands, AWrongPasswordChangesNothingOfTheBookOpen)
{
    enter(QStringLiteral("2026/12/01"));
    saveAs(QStringLiteral("a.pslx"));
    enter(QStringLiteral("2026/12/02"));
    const QStringList before = memos();

    ui.answers = {MsgAnswer::No}; // keep the change unsaved
    open(QStringLiteral("a.pslx"), QStringLiteral("PW"));
    EXPECT_EQ(ui.lastMessage().text, QStringLiteral("パスワードが違うためファイルが開けません。"));
    EXPECT_EQ(memos(), before);
    EXPECT_TRUE(app.doc.modified);
    EXPECT_TRUE(app.doc.openRefused);
    EXPECT_EQ(app.doc.path, home.file(QStringLiteral("a.pslx")));
    EXPECT_TRUE(app.doc.key.held()); // still the open book's key: Save needs no password
    files.fileSave_Click();
    EXPECT_EQ(ui.newPasswordPrompts, 1);
}

TEST_F(EncryptedCommands, TheBackupIsEncryptedAndUndoReadsItBack)
{
    enter(QStringLiteral("2026/12/01"));
    saveAs(QStringLiteral("a.pslx"));
    enter(QStringLiteral("2026/12/02"));
    const QByteArray backup = home.read(QStringLiteral("purslet.bak"));
    EXPECT_TRUE(IsEncryptedBook(backup));
    EXPECT_FALSE(backup.contains(ToCp932(kMemo)));

    const size_t prompts = ui.prompts.size();
    ui.answers = {MsgAnswer::Yes};
    editUndo_Click(app);
    EXPECT_EQ(memos(), QStringList{QStringLiteral("2026/12/01 ") + kMemo});
    EXPECT_EQ(ui.prompts.size(), prompts); // the key it holds opens its backup
    EXPECT_EQ(app.doc.path, home.file(QStringLiteral("a.pslx")));
    EXPECT_TRUE(app.doc.key.held());
}

TEST_F(EncryptedCommands, TheKindIsKnownByContentAndOtherKindsDropTheKey)
{
    enter(QStringLiteral("2026/12/01"));
    saveAs(QStringLiteral("a.pslx"));
    // Renamed, it is still encrypted: opened with its password, saved encrypted.
    QFile::rename(home.file(QStringLiteral("a.pslx")), home.file(QStringLiteral("renamed.psl")));
    files.fileNew_Click();
    open(QStringLiteral("renamed.psl"));
    EXPECT_EQ(app.book.recordCount(), 1);
    files.fileSave_Click();
    EXPECT_TRUE(IsEncryptedBook(home.read(QStringLiteral("renamed.psl"))));

    // Save As a text file decrypts on purpose; the book is no longer encrypted.
    ui.savePaths = {home.file(QStringLiteral("plain.csv"))};
    files.fileWrite_Click();
    EXPECT_FALSE(app.doc.key.held());
    EXPECT_TRUE(home.read(QStringLiteral("plain.csv")).contains(ToCp932(kMemo)));

    // Opening a scrambled book after an encrypted one wipes the key.
    open(QStringLiteral("renamed.psl"));
    ASSERT_TRUE(app.doc.key.held());
    ui.savePaths = {home.file(QStringLiteral("s.psl"))};
    ui.newPasswords = {NewPassword{}};
    files.fileWrite_Click();
    open(QStringLiteral("s.psl"));
    EXPECT_FALSE(app.doc.key.held());
    EXPECT_EQ(app.book.recordCount(), 1);
}
