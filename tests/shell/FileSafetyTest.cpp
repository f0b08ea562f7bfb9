// Files that are broken, huge, unreadable or full of characters code page 932
// lacks, through the real program on the command line.
#include "OwnBookBytes.h"
#include "ProgramRun.h"
#include "TempHome.h"

#include "platform/AtomicFile.h"
#include "platform/Codepage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <csignal>
#include <utility>
#include <vector>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

using purslet::ToCp932;
using namespace purslet::test;

namespace {

const QByteArray kRecord = "\"2026/05/01\",\"本\",\"\",\"500\",\"\"\r\n";

class FileSafety : public ::testing::Test
{
protected:
    void SetUp() override { home.writeText("Outgo.ini", "[0]\nMatter=本\nEstimate=1,000\n"); }

    QString error(const QString &file, const QString &message) const
    {
        return "purslet: " + home.file(file) + ": " + message + "\n";
    }

    TempHome home;
};

TEST_F(FileSafety, AQuotedFieldLeftOpenAtTheEndIsInputPastEnd)
{
    QByteArray own = ownBook("", {{"2026/05/01", "", "", "500", "メモ"}});
    own.chop(3); // the closing quote and the line end of the memo
    const QByteArray backup = own.mid(own.indexOf('\n') + 1);
    for (const auto &[name, bytes] : {std::pair{"cut.csv", QByteArray("\"2026/05/01\",\"\",\"\",\"500\",\"メモの途")},
                                      std::pair{"cut.psl", own}, std::pair{"cut.bak", backup}}) {
        home.write(name, bytes);
        const ProgramRun run = RunProgram({"--convert", home.file(name), home.file("out.csv")});
        EXPECT_EQ(run.exitCode, 1) << name;
        EXPECT_EQ(run.err, error(name, "ファイルにこれ以上データがありません。")) << name;
        EXPECT_FALSE(home.exists("out.csv")) << name;
    }
}

TEST_F(FileSafety, EndlessInputIsRefusedWithinBoundedMemory)
{
    QFile commas(home.file("commas.csv"));
    ASSERT_TRUE(commas.open(QIODevice::WriteOnly));
    commas.write(QByteArray(60'000'000, ','));
    commas.close();
    const RunOptions limited{200'000'000};

    ProgramRun run = RunProgram({"--report", home.file("commas.csv")}, {}, limited);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, error("commas.csv", "記録が 32,767 件を超えるため、このファイルは開けません。"));

    run = RunProgram({"--report", "/dev/zero"}, {}, limited);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "purslet: /dev/zero: ファイルが 64 MB を超えるため、このファイルは開けません。\n");
}

TEST_F(FileSafety, TextIsUtf8OnlyWithAByteOrderMarkOrACharacterOfThreeBytes)
{
    const auto line = [](const QByteArray &memo) { return "\"2026/05/01\",\"\",\"\",\"1\",\"" + memo + "\"\r\n"; };
    const QByteArray minusHalfWidth("\xCF\xB2\xC5\xBD"); // ﾏｲﾅｽ in code page 932, also valid UTF-8
    struct Case
    {
        QByteArray in, out;
    } cases[] = {
        {line(minusHalfWidth), line(minusHalfWidth)},
        {line("\xE9\xA3\x9F\xE8\xB2\xBB"), line(ToCp932("食費"))},          // UTF-8 without a mark
        {"\xEF\xBB\xBF" + line("\xEF\xBE\x8F\xEF\xBD\xB2"), line("\xCF\xB2")}, // ﾏｲ in UTF-8 after a mark
    };
    for (const Case &c : cases) {
        home.write("in.csv", c.in);
        const ProgramRun run = RunProgram({"--convert", home.file("in.csv"), home.file("out.csv")});
        EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
        EXPECT_EQ(home.read("out.csv"), c.out) << c.in.toHex().constData();
    }
}

TEST_F(FileSafety, InputMethodFormsAreWrittenAsCodePage932AndReadBackInItsOwn)
{
    home.write("in.csv", "\"2026/05/01\",\"\",\"\",\"1\",\"" + QStringLiteral("〜‖−¢£¬—").toUtf8() + "\"\r\n");
    ProgramRun run = RunProgram({"--convert", home.file("in.csv"), home.file("out.csv")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.isEmpty()) << qPrintable(run.err);
    EXPECT_EQ(home.read("out.csv"),
              QByteArray("\"2026/05/01\",\"\",\"\",\"1\",\"\x81\x60\x81\x61\x81\x7C\x81\x91\x81\x92\x81\xCA\x81\x5C\"\r\n"));
    run = RunProgram({"--report", home.file("out.csv")});
    EXPECT_TRUE(run.out.contains(QStringLiteral("|～∥－￠￡￢―\n"))) << qPrintable(run.out);
}

TEST_F(FileSafety, CharactersWithoutACodeAreToldOnceAndSavedAsQuestionMarks)
{
    home.write("in.csv", QStringLiteral("\"2026/05/01\",\"\",\"\",\"1\",\"😀と😀\"\r\n"
                                        "\"2026/05/02\",\"ß\",\"\",\"2\",\"\"\r\n")
                             .toUtf8());
    const ProgramRun run = RunProgram({"--convert", home.file("in.csv"), home.file("out.csv")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "purslet: warning: in.csv には Shift_JIS で表せない文字が 3 個あります（最初の文字は「😀」(U+1F600)）。"
                       "保存すると、これらの文字は「?」になります。\n");
    EXPECT_EQ(home.read("out.csv"), ToCp932("\"2026/05/01\",\"\",\"\",\"1\",\"?と?\"\r\n"
                                            "\"2026/05/02\",\"?\",\"\",\"2\",\"\"\r\n"));
}

TEST_F(FileSafety, APasswordCodePage932CannotHoldIsRefusedAndTheOutputKept)
{
    home.write("in.csv", kRecord);
    home.write("out.psl", "old");
    const ProgramRun run =
        RunProgram({"--convert", home.file("in.csv"), home.file("out.psl"), "--password-stdin"}, "鍵😀\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith("purslet: " + home.file("out.psl") + ": ")) << qPrintable(run.err);
    EXPECT_TRUE(run.err.contains("「😀」")) << qPrintable(run.err);
    EXPECT_EQ(home.read("out.psl"), "old");
}

TEST_F(FileSafety, ABadCatalogEstimateIsOneWarningAndNeverBlamesTheBook)
{
    home.writeText("Outgo.ini", "[0]\nMatter=食費\nEstimate=abc\n[1]\nMatter=本\nEstimate=1,000\n");
    home.write("book.csv", kRecord);
    const QString warning = "purslet: warning: " + home.file("Outgo.ini")
                          + ": [0] 食費: Estimate=abc: 型が一致しません。 この項目は読み飛ばします。\n";

    ProgramRun run = RunProgram({"--report", home.file("book.csv")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, warning);
    EXPECT_TRUE(run.out.contains(QStringLiteral("\n本 "))) << qPrintable(run.out);
    EXPECT_FALSE(run.out.contains(QStringLiteral("食費")));

    run = RunProgram({"--convert", home.file("book.csv"), home.file("out.csv")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, warning);
    EXPECT_EQ(home.read("out.csv"), ToCp932(QString::fromUtf8(kRecord)));
}

TEST_F(FileSafety, ErrorsNameTheRealCause)
{
    // A folder that others may use, for the cases the superuser is not stopped by.
    ASSERT_TRUE(QFile::setPermissions(home.path(), QFileDevice::Permissions(0x7755)));
    const QString shared = home.file("shared");
    ASSERT_TRUE(QDir().mkdir(shared));
    ASSERT_TRUE(QFile::setPermissions(shared, QFileDevice::Permissions(0x7777)));
    home.write("in.csv", kRecord);
    home.write("readonly.csv", "old");
    ASSERT_TRUE(QFile::setPermissions(home.file("readonly.csv"), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    ASSERT_TRUE(QDir().mkdir(home.file("locked")));
    ASSERT_TRUE(QFile::setPermissions(home.file("locked"), QFileDevice::Permissions(0x5555)));
    home.write("shared/secret.csv", kRecord);
    ASSERT_TRUE(QFile::setPermissions(home.file("shared/secret.csv"), QFileDevice::Permissions()));

    const QString folder = "ファイルではなくフォルダーを指定しています。";
    struct Case
    {
        QStringList arguments;
        bool unprivileged;
        QString named, message;
    } cases[] = {
        {{"--report", home.file("shared")}, false, "shared", folder},
        {{"--convert", home.file("in.csv"), home.file("shared")}, false, "shared", folder},
        {{"--convert", home.file("in.csv"), home.file("readonly.csv")}, false, "readonly.csv", "書き込みできません。"},
        {{"--convert", home.file("in.csv"), home.file("locked/out.csv")}, true, "locked/out.csv", "書き込みできません。"},
        {{"--report", home.file("shared/secret.csv")}, true, "shared/secret.csv", "ファイルを読みこむ権限がありません。"},
    };
    for (const Case &c : cases) {
        const ProgramRun run = RunProgram(c.arguments, {}, RunOptions{0, c.unprivileged});
        EXPECT_EQ(run.exitCode, 1) << qPrintable(c.named);
        EXPECT_EQ(run.err, error(c.named, c.message));
    }
    EXPECT_EQ(home.read("readonly.csv"), "old");
    EXPECT_FALSE(home.exists("locked/out.csv"));
}

TEST_F(FileSafety, EveryKindReplacesASymlinksTargetAndKeepsItsMode)
{
    home.write("in.csv", kRecord);
    ASSERT_TRUE(QDir().mkdir(home.file("real")));
    for (const QString kind : {"psl", "bak", "csv"}) {
        const QString target = home.file("real/book." + kind), link = home.file("link." + kind);
        home.write("real/book." + kind, "old");
        ASSERT_TRUE(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                      | QFileDevice::ReadGroup));
        ASSERT_TRUE(QFile::link("real/book." + kind, link));

        const ProgramRun run = RunProgram({"--convert", home.file("in.csv"), link});
        EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
        EXPECT_TRUE(QFileInfo(link).isSymLink()) << qPrintable(kind);
        EXPECT_NE(home.read("real/book." + kind), "old") << qPrintable(kind);
        EXPECT_EQ(home.read("link." + kind), home.read("real/book." + kind));
        struct stat st;
        ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0640u) << qPrintable(kind);
    }
    EXPECT_EQ(QDir(home.file("real")).entryList(QDir::Files | QDir::Hidden).size(), 3); // no temporary left
}

TEST_F(FileSafety, NoOutputIsWrittenOverTheBookBeingRead)
{
    const QByteArray book = ownBook("", {{"2026/05/01", "", "", "500", ""}});
    home.write("book.psl", book);
    ASSERT_TRUE(QFile::link(home.file("book.psl"), home.file("view.csv")));
    ASSERT_EQ(::link(QFile::encodeName(home.file("book.psl")).constData(),
                     QFile::encodeName(home.file("hard.csv")).constData()),
              0);
    struct Case
    {
        QStringList arguments;
        QString out, replaced;
    } cases[] = {
        {{"--convert", home.file("book.psl"), home.file("view.csv")}, "view.csv", "conversion"},
        {{"--convert", home.file("book.psl"), home.file("hard.csv")}, "hard.csv", "conversion"},
        {{"--convert", home.file("view.csv"), home.file("book.psl")}, "book.psl", "conversion"},
        {{"--chart", "0", home.file("book.psl"), home.file("hard.csv")}, "hard.csv", "chart"},
    };
    for (const Case &c : cases) {
        const ProgramRun run = RunProgram(c.arguments);
        EXPECT_EQ(run.exitCode, 1) << qPrintable(c.out);
        EXPECT_EQ(run.err, error(c.out, "is the book being read; the " + c.replaced + " would replace it"));
        EXPECT_EQ(home.read("book.psl"), book);
    }
}

TEST_F(FileSafety, AWriteKilledHalfWayLeavesNothingBesideTheTarget)
{
    const QString target = home.file("big.csv");
    const QByteArray bytes(64 << 20, 'x');
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        for (;;)
            purslet::WriteFileAtomically(target, bytes, purslet::SyncToDisk::No);
    }
    // Once the first write is done the next ones follow without a pause.
    for (int i = 0; i < 1000 && !QFileInfo::exists(target); ++i)
        ::usleep(10000);
    ::usleep(50000);
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status));
    const QStringList left = QDir(home.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_TRUE(left.contains("big.csv")) << "the first write never finished";
    for (const QString &name : left)
        EXPECT_FALSE(name.startsWith(".big.csv")) << qPrintable(name);
}

// Reads what the terminal shows until the text appears; false after ten seconds.
bool waitForOutput(int master, const QByteArray &text)
{
    QByteArray seen;
    while (!seen.contains(text)) {
        pollfd p{master, POLLIN, 0};
        if (::poll(&p, 1, 10000) <= 0)
            return false;
        char buffer[256];
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        seen.append(buffer, n);
    }
    return true;
}

bool echoes(int master)
{
    termios t{};
    ::tcgetattr(master, &t); // a pty's master reads the settings of its terminal
    return t.c_lflag & ECHO;
}

TEST_F(FileSafety, CtrlCAtTheHiddenPasswordPromptGivesTheEchoBack)
{
    home.write("locked.psl", ownBook("pw", {{"2026/05/01", "", "", "500", ""}}));
    const QByteArray program = QFile::encodeName(ProgramPath());
    const QByteArray book = QFile::encodeName(home.file("locked.psl"));

    int master = -1;
    const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::execl(program.constData(), "purslet", "--report", book.constData(), static_cast<char *>(nullptr));
        ::_exit(127);
    }
    ASSERT_TRUE(echoes(master));
    EXPECT_TRUE(waitForOutput(master, QStringLiteral("パスワードを入力してください。").toUtf8()));
    for (int i = 0; i < 500 && echoes(master); ++i)
        ::usleep(10000);
    EXPECT_FALSE(echoes(master)); // the prompt hides what is typed

    ASSERT_EQ(::write(master, "\x03", 1), 1); // Ctrl+C
    int status = 0;
    for (int i = 0; i < 1000 && ::waitpid(pid, &status, WNOHANG) == 0; ++i)
        ::usleep(10000);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    EXPECT_TRUE(echoes(master));
    ::close(master);
}

// Runs the program on a terminal and types each line at its prompt. What
// the terminal showed, and the exit code (-1 for a signal).
std::pair<QString, int> runOnTerminal(const QStringList &arguments, const QList<QByteArray> &lines)
{
    QList<QByteArray> args{QFile::encodeName(ProgramPath())};
    for (const QString &a : arguments)
        args << QFile::encodeName(a);
    std::vector<char *> argv;
    for (QByteArray &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int master = -1;
    const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
    if (pid == 0) {
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    QByteArray shown;
    const auto readShown = [&](int timeout) {
        pollfd p{master, POLLIN, 0};
        char buffer[4096];
        while (::poll(&p, 1, timeout) > 0) {
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            shown.append(buffer, n);
        }
    };
    // Every prompt ends so; the next line goes in once it shows and hides the input.
    const QByteArray promptEnd = QStringLiteral("ください。 ").toUtf8();
    for (qsizetype k = 0; k < lines.size(); ++k) {
        for (int i = 0; i < 500 && (shown.count(promptEnd) <= k || echoes(master)); ++i)
            readShown(10);
        (void)!::write(master, lines[k].constData(), size_t(lines[k].size()));
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    readShown(100);
    ::close(master);
    return {QString::fromUtf8(shown), WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

TEST_F(FileSafety, TheTerminalAsksForANewPasswordAsATerminalCan)
{
    home.write("in.csv", kRecord);
    const QString prompt = "パスワードを入力してください。パスワードを設定しない場合には、"
                           "何も入力せずに Enter キーを押してください。";
    struct Case
    {
        QList<QByteArray> typed;
        int exitCode;
        QString ending; // the last thing the terminal shows
    } cases[] = {
        {{"\n"}, 0, prompt + " \r\n"},
        {{"pw\n", "pw\n"}, 0, "確認のため、もう一度入力してください。 \r\n"},
        {{"pw\n", "px\n"}, 1, ": パスワードが一致しないため、保存を中止しました。\r\n"},
    };
    for (const Case &c : cases) {
        QFile::remove(home.file("out.psl"));
        const auto [shown, exitCode] = runOnTerminal({"--convert", home.file("in.csv"), home.file("out.psl")}, c.typed);
        EXPECT_EQ(exitCode, c.exitCode) << qPrintable(shown);
        EXPECT_TRUE(shown.startsWith(prompt)) << qPrintable(shown);
        EXPECT_TRUE(shown.endsWith(c.ending)) << qPrintable(shown);
        EXPECT_FALSE(shown.contains("キャンセル")) << qPrintable(shown);
        EXPECT_EQ(home.exists("out.psl"), c.exitCode == 0);
    }
}

TEST_F(FileSafety, AWarningShowsControlCharactersOfAnEntryEscaped)
{
    const char entries[] = "[0]\r\nMatter=a\x1b[2Jb\r\nEstimate=1\0x\x07\r\n[1]\r\nMatter=";
    home.write("Outgo.ini", QByteArray(entries, sizeof entries - 1) + ToCp932("本") + "\r\nEstimate=\x7f\r\n");
    home.write("book.csv", kRecord);
    const QString reason = ": 型が一致しません。 この項目は読み飛ばします。\n";
    const ProgramRun run = RunProgram({"--report", home.file("book.csv")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "purslet: warning: " + home.file("Outgo.ini") + ": [0] a\\x1B[2Jb: Estimate=1\\x00x\\x07" + reason
                           + "purslet: warning: " + home.file("Outgo.ini") + ": [1] 本: Estimate=\\x7F" + reason);
}

} // namespace
