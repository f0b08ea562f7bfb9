#include "HonestStateTest.h"
#include "DesktopBooks.h"
#include "TempHome.h"
#include "UiTests.h"

#include "files/Backup.h"
#include "ui/DesktopMain.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScopeGuard>

#include <functional>

using namespace purslet;
using namespace purslet::test;

void HonestStateTest::initTestCase()
{
    InitResources();
    InstallJapaneseFonts();
}

void HonestStateTest::noWriteOfAnotherKindReplacesTheOpenBook()
{
    struct Case
    {
        const char *name;
        QString book, link; // the link leads to the book under another kind
        std::function<void(DesktopSession &, ScriptedQtUi &, const QString &link)> write;
        QString told;
    };
    const Case cases[] = {
        {"Save As", QStringLiteral("book.psl"), QStringLiteral("view.csv"),
         [](DesktopSession &s, ScriptedQtUi &ui, const QString &link) {
             record(s, "100");
             ui.savePaths = {link};
             clickMenuItem(&s.window, s.window.menuAction(MenuItem::fileWrite));
         },
         QStringLiteral("指定したファイルは開いている出納帳のファイルそのものです。"
                        "別の種類で保存すると出納帳が失われるため、保存できません。")},
        {"undo backup", QStringLiteral("book.csv"), kBackupFileName,
         [](DesktopSession &s, ScriptedQtUi &ui, const QString &) {
             ui.answers = {MsgAnswer::Yes}; // go on without the backup
             record(s, "100");
         },
         QStringLiteral("バックアップファイルが開いている出納帳のファイルを指しているため、バックアップを取れません。"
                        "\r\n\r\n処理を続けますか？")},
    };
    for (const Case &c : cases) {
        const auto which = qScopeGuard([&] {
            if (QTest::currentTestFailed())
                qInfo("in %s", c.name);
        });
        TempHome home;
        const QByteArray bytes = ownBook(2, KindOfPath(c.book));
        home.write(c.book, bytes);
        QVERIFY(QFile::link(home.file(c.book), home.file(c.link)));
        ScriptedQtUi ui;
        DesktopSession s(ui);
        startActive(s, home.file(c.book));
        c.write(s, ui, home.file(c.link));
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(lastText(ui), c.told);
        QCOMPARE(home.read(c.book), bytes);
        QCOMPARE(s.app.doc.path, home.file(c.book));
        QCOMPARE(s.app.book.recordCount(), 3);
    }
}

void HonestStateTest::statusBarIsClearedAfterAFailedWriteOrARefusedRead()
{
    struct Case
    {
        const char *name;
        std::function<void(DesktopSession &, ScriptedQtUi &, const TempHome &)> run;
    };
    const Case cases[] = {
        {"Save into a folder that is gone",
         [](DesktopSession &, ScriptedQtUi &ui, const TempHome &home) {
             QVERIFY(QDir(home.file(QStringLiteral("books"))).removeRecursively());
             ui.answers = {MsgAnswer::No};
             press(Qt::Key_S, Qt::ControlModifier);
         }},
        {"backup that cannot be written",
         [](DesktopSession &s, ScriptedQtUi &ui, const TempHome &home) {
             QVERIFY(QFile::remove(home.file(kBackupFileName)) && QDir(home.path()).mkdir(kBackupFileName));
             ui.answers = {MsgAnswer::Yes};
             record(s, "5");
         }},
        {"wrong password",
         [](DesktopSession &, ScriptedQtUi &ui, const TempHome &home) {
             ui.openPaths = {home.file(QStringLiteral("locked.psl"))};
             ui.answers = {MsgAnswer::No}; // the save question
             press(Qt::Key_O, Qt::ControlModifier);
             QCOMPARE(lastText(ui), QStringLiteral("パスワードが違うためファイルが開けません。"));
         }},
    };
    for (const Case &c : cases) {
        const auto which = qScopeGuard([&] {
            if (QTest::currentTestFailed())
                qInfo("in %s", c.name);
        });
        TempHome home;
        QVERIFY(QDir(home.path()).mkdir(QStringLiteral("books")));
        home.write(QStringLiteral("books/book.csv"), ownBook(1, BookKind::Text));
        home.write(QStringLiteral("locked.psl"), "\"8070\"" + ownBook(1).mid(2)); // the password "p"
        ScriptedQtUi ui;
        DesktopSession s(ui);
        startActive(s, home.file(QStringLiteral("books/book.csv")));
        record(s, "100");
        c.run(s, ui, home);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(ui.answers.empty());
        SaveScreenshot(&s.window, QStringLiteral("status-after-") +
                                      QString::fromUtf8(c.name).replace(QLatin1Char(' '), QLatin1Char('-')) +
                                      QStringLiteral(".png"));
        QCOMPARE(s.window.statusPanel(1)->text(), QString());
    }
}

PURSLET_UI_TEST(HonestStateTest)
