#include "BookSafetyTest.h"
#include "DesktopBooks.h"
#include "TempHome.h"
#include "UiDriving.h"
#include "UiTests.h"

#include "files/BookFormat.h"
#include "files/BookKind.h"
#include "ui/BookWindow.h"
#include "ui/DesktopMain.h"
#include "ui/InputWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QScopeGuard>
#include <QTableView>
#include <QWindow>

#include <functional>

using namespace purslet;
using namespace purslet::test;

namespace {

const QString kSaveQuestion = QStringLiteral("ファイルの変更内容を保存しますか？");

// Alt+F, then a click on the recent file `index` of the open File menu.
void clickRecentFile(DesktopSession &s, int index)
{
    QAction *item = s.window.findChild<QAction *>(QStringLiteral("fileHistory(%1)").arg(index));
    QVERIFY(item);
    press(Qt::Key_F, Qt::AltModifier);
    QMenu *menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
    QVERIFY(menu->actions().contains(item));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
}

QStringList recentFiles(DesktopSession &s)
{
    QStringList shown;
    for (int i = 1;; ++i) {
        auto *item = s.window.findChild<QAction *>(QStringLiteral("fileHistory(%1)").arg(i));
        if (!item)
            return shown;
        if (item->isVisible())
            shown << item->text();
    }
}

// The commands that ask the save question first.
struct Command
{
    const char *name;
    std::function<void()> run;
};

std::vector<Command> commandsThatAsk(DesktopSession &s)
{
    return {
        {"Ctrl+N", [] { press(Qt::Key_N, Qt::ControlModifier); }},
        {"Ctrl+O", [] { press(Qt::Key_O, Qt::ControlModifier); }},
        {"recent file", [&s] { clickRecentFile(s, 1); }},
        {"Ctrl+Q", [] { press(Qt::Key_Q, Qt::ControlModifier); }},
        {"close box", [&s] { s.window.close(); }},
    };
}

} // namespace

void BookSafetyTest::initTestCase()
{
    InitResources();
    InstallJapaneseFonts();
}

void BookSafetyTest::undoneBookIsOfferedForSaving()
{
    TempHome home;
    home.write(QStringLiteral("book.psl"), ownBook(0));
    ScriptedQtUi ui;
    DesktopSession s(ui);
    startActive(s, home.file(QStringLiteral("book.psl")));
    record(s, "100");
    record(s, "200");
    QCOMPARE(s.app.book.recordCount(), 2);

    // Ctrl+Z in the amount field is the field's own undo: go to the grid.
    QTableView *cashier = s.window.findChild<BookWindow *>()->msfgCashier();
    QTest::mouseClick(cashier->viewport(), Qt::LeftButton, {},
                      cashier->visualRect(cashier->model()->index(1, 1)).center());
    QCOMPARE(QApplication::focusWidget(), cashier);
    ui.answers = {MsgAnswer::Yes};
    press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(lastText(ui), QStringLiteral("元に戻しますか？"));
    QCOMPARE(s.app.book.recordCount(), 1);

    // New asks, and Yes writes the entry that Undo kept.
    ui.answers = {MsgAnswer::Yes};
    press(Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(lastText(ui), kSaveQuestion);
    QCOMPARE(s.app.book.recordCount(), 0);
    QCOMPARE(recordsIn(home.read(QStringLiteral("book.psl")), BookKind::Own), 1);
}

void BookSafetyTest::failedSaveAtExitKeepsTheProgramRunning()
{
    TempHome home;
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("books")));
    const QString path = home.file(QStringLiteral("books/book.csv"));
    home.writeText(QStringLiteral("books/book.csv"), QStringLiteral("2026/01/01,,5,,\n"));
    home.write(QStringLiteral("Setup.ini"), "[Menu]\r\nshowCalendar=False\r\n");
    ScriptedQtUi ui;
    DesktopSession s(ui);
    startActive(s, path);
    record(s, "300");
    QVERIFY(s.app.doc.modified);
    QVERIFY(home.exists(QStringLiteral("purslet.bak")));
    QVERIFY(QDir(home.file(QStringLiteral("books"))).removeRecursively()); // the save will fail

    // Ctrl+Q, then the close box: Yes to the question, No to the error.
    const auto exitFails = [&](const std::function<void()> &exit) {
        ui.answers = {MsgAnswer::Yes, MsgAnswer::No};
        const qsizetype asked = ui.texts.size();
        exit();
        QCOMPARE(ui.texts.size(), asked + 2);
        QCOMPARE(ui.texts.at(asked), kSaveQuestion);
        QVERIFY(lastText(ui).endsWith(QStringLiteral("処理を続けますか？")));
        QCOMPARE(ui.ends, 0);
        QVERIFY(s.window.isVisible());
        QCOMPARE(s.app.book.recordCount(), 2);
        QVERIFY(s.app.doc.modified);
        // The shut-down stopped before its other steps.
        QCOMPARE(home.read(QStringLiteral("Setup.ini")), QByteArray("[Menu]\r\nshowCalendar=False\r\n"));
        QVERIFY(home.exists(QStringLiteral("purslet.bak")));
    };
    exitFails([] { press(Qt::Key_Q, Qt::ControlModifier); });
    if (QTest::currentTestFailed())
        return;
    exitFails([&] { s.window.close(); });
    if (QTest::currentTestFailed())
        return;

    // With the folder back, Exit saves and ends.
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("books")));
    ui.answers = {MsgAnswer::Yes};
    press(Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(ui.ends, 1);
    QCOMPARE(recordsIn(home.read(QStringLiteral("books/book.csv")), BookKind::Text), 2);
}

void BookSafetyTest::commandLineBookIsRecentAndARecentFileOpensTheOneClicked()
{
    TempHome home;
    const QString started = home.file(QStringLiteral("start.csv"));
    const QString old = home.file(QStringLiteral("old.csv"));
    const QString saved = home.file(QStringLiteral("new.csv"));
    home.writeText(QStringLiteral("start.csv"), QStringLiteral("2026/01/01,開始,1,,\n"));
    home.writeText(QStringLiteral("old.csv"), QStringLiteral("2026/01/02,古い,2,,\n"));
    home.writeText(QStringLiteral("Setup.ini"), QStringLiteral("[FileHistory]\n1=") + old + QLatin1Char('\n'));
    ScriptedQtUi ui;
    DesktopSession s(ui);
    startActive(s, started);
    QCOMPARE(recentFiles(s), (QStringList{started, old}));

    // A never-saved book: the save question's Yes leads to Save As, which
    // puts new.csv on top; the file clicked must open all the same.
    press(Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(s.window.windowHandle()->title(), QStringLiteral("Purslet"));
    record(s, "400");
    // Unsaved changes show as Qt's mark at the end of the title.
    QVERIFY(s.window.isWindowModified());
    QCOMPARE(s.window.windowHandle()->title(), QStringLiteral("Purslet *"));
    ui.answers = {MsgAnswer::Yes};
    ui.savePaths = {saved};
    clickRecentFile(s, 2);
    QCOMPARE(ui.fileDialogTitles, QStringList{QStringLiteral("ファイルの保存")});
    QCOMPARE(recordsIn(home.read(QStringLiteral("new.csv")), BookKind::Text), 1);
    QCOMPARE(s.window.windowTitle(), QStringLiteral("Purslet [") + old + QLatin1Char(']'));
    QCOMPARE(s.window.windowHandle()->title(), s.window.windowTitle());
    QCOMPARE(s.app.book.msfgCashier.text(1, 1), QStringLiteral("古い"));
    QCOMPARE(recentFiles(s), (QStringList{old, saved, started}));
}

void BookSafetyTest::abandonedReadLeavesNoFileToOverwrite()
{
    TempHome home;
    const QString good = home.file(QStringLiteral("good.csv"));
    home.writeText(QStringLiteral("good.csv"), QStringLiteral("2026/01/01,,1,,\n2026/01/02,,2,,\n"));
    const QByteArray broken = brokenBook(BookKind::Own);
    home.write(QStringLiteral("broken.psl"), broken);
    home.writeText(QStringLiteral("Setup.ini"),
                   QStringLiteral("[FileHistory]\n1=") + home.file(QStringLiteral("broken.psl")) + QLatin1Char('\n'));
    ScriptedQtUi ui;
    DesktopSession s(ui);
    startActive(s, good);

    // No in the error dialog: only the first record is shown, so neither
    // broken.psl nor good.csv may be what Save writes.
    ui.answers = {MsgAnswer::No};
    clickRecentFile(s, 2);
    QVERIFY(lastText(ui).endsWith(QStringLiteral("処理を続けますか？")));
    QCOMPARE(s.app.book.recordCount(), 1);
    QCOMPARE(s.window.windowTitle(), QStringLiteral("Purslet"));
    QCOMPARE(s.window.menuAction(MenuItem::fileSave)->text(), QStringLiteral("上書き保存(&S)"));

    press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(ui.fileDialogTitles, QStringList{QStringLiteral("ファイルの保存")}); // Save As, cancelled
    QCOMPARE(home.read(QStringLiteral("broken.psl")), broken);
    QCOMPARE(recordsIn(home.read(QStringLiteral("good.csv")), BookKind::Text), 2);
}

void BookSafetyTest::saveQuestionThatSavedNothingKeepsTheBook()
{
    TempHome home;
    const QString other = home.file(QStringLiteral("other.csv"));
    home.writeText(QStringLiteral("other.csv"), QStringLiteral("2026/01/01,,1,,\n2026/01/02,,2,,\n2026/01/03,,3,,\n"));
    home.writeText(QStringLiteral("Setup.ini"), QStringLiteral("[FileHistory]\n1=") + other + QLatin1Char('\n'));
    const QByteArray settings = home.read(QStringLiteral("Setup.ini"));
    ScriptedQtUi ui;
    DesktopSession s(ui);
    startActive(s, QString());
    record(s, "500");

    const std::vector<Command> commands = commandsThatAsk(s);
    // Each command stops and the book stays as it was: `answers` for the
    // question and any error, `dialog` the one file dialog expected.
    const auto commandsStop = [&](const std::deque<MsgAnswer> &answers, const QString &dialog, int recordCount,
                                  const QString &windowTitle, const QString &saveCaption) {
        for (const Command &c : commands) {
            const auto which = qScopeGuard([&] {
                if (QTest::currentTestFailed())
                    qInfo("after %s", c.name);
            });
            ui.answers = answers;
            ui.fileDialogTitles.clear();
            const qsizetype asked = ui.texts.size();
            c.run();
            QVERIFY2(ui.texts.value(asked) == kSaveQuestion, c.name);
            QVERIFY2(ui.answers.empty(), c.name);
            QCOMPARE(ui.fileDialogTitles.join(QLatin1Char('|')), dialog);
            QCOMPARE(s.app.book.recordCount(), recordCount);
            QVERIFY2(s.app.doc.modified, c.name);
            QCOMPARE(s.window.windowHandle()->title(), windowTitle + QStringLiteral(" *"));
            QCOMPARE(s.window.menuAction(MenuItem::fileSave)->text(), saveCaption);
            QVERIFY2(ui.ends == 0 && s.window.isVisible(), c.name);
            QCOMPARE(home.read(QStringLiteral("Setup.ini")), settings);
        }
    };

    // Yes on a never-saved book, then Cancel in Save As.
    commandsStop({MsgAnswer::Yes}, QStringLiteral("ファイルの保存"), 1, QStringLiteral("Purslet"),
                 QStringLiteral("上書き保存(&S)"));
    if (QTest::currentTestFailed())
        return;
    QVERIFY(s.app.doc.path.isEmpty());

    // Yes on a saved book whose folder is gone, then No in the error dialog.
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("books")));
    const QString path = home.file(QStringLiteral("books/kept.csv"));
    ui.savePaths = {path};
    press(Qt::Key_S, Qt::ControlModifier);
    record(s, "600");
    QVERIFY(QDir(home.file(QStringLiteral("books"))).removeRecursively());
    commandsStop({MsgAnswer::Yes, MsgAnswer::No}, QString(), 2, QStringLiteral("Purslet [") + path + QLatin1Char(']'),
                 QStringLiteral("kept.csv の上書き保存(&S)"));
}

void BookSafetyTest::unansweredSaveQuestionKeepsTheBook()
{
    TempHome home;
    const QString other = home.file(QStringLiteral("other.csv"));
    home.writeText(QStringLiteral("other.csv"), QStringLiteral("2026/01/01,,1,,\n"));
    home.writeText(QStringLiteral("Setup.ini"), QStringLiteral("[FileHistory]\n1=") + other + QLatin1Char('\n'));
    const QByteArray settings = home.read(QStringLiteral("Setup.ini"));
    ScriptedQtUi ui;
    ui.realBoxes = true;
    DesktopSession s(ui);
    startActive(s, QString());
    record(s, "500");

    // Esc, or the question's close box, after each command: nothing changes.
    const std::pair<const char *, ModalAnswers::Step> dismissals[] = {{"Esc", KeyStep(Qt::Key_Escape)},
                                                                     {"close box", CloseBoxStep()}};
    for (const auto &[how, dismiss] : dismissals) {
        for (const Command &c : commandsThatAsk(s)) {
            const QByteArray whichText = QByteArray(how) + " after " + c.name;
            const char *which = whichText.constData();
            const qsizetype asked = ui.texts.size();
            activate(s);
            {
                ModalAnswers boxes({dismiss});
                c.run();
                QVERIFY2(boxes.done(), which);
            }
            QVERIFY2(ui.texts.mid(asked) == QStringList{kSaveQuestion}, which);
            QVERIFY2(ui.fileDialogTitles.isEmpty(), which);
            QVERIFY2(s.app.book.recordCount() == 1 && s.app.doc.modified, which);
            QVERIFY2(ui.ends == 0 && s.window.isVisible(), which);
            QCOMPARE(s.window.windowHandle()->title(), QStringLiteral("Purslet *"));
            QCOMPARE(home.read(QStringLiteral("Setup.ini")), settings);
        }
    }
}

void BookSafetyTest::noInTheErrorDialogAsksTheSaveQuestion()
{
    // A backup that cannot be written (purslet.bak is a folder): the first
    // failure is passed over with Yes, the second answered No, and then the
    // save question as the case says.
    const struct
    {
        const char *name;
        ModalAnswers::Step answer;
        int ends;
        int recordsSaved;
    } cases[] = {
        {"Esc", KeyStep(Qt::Key_Escape), 0, 1}, // back to the program, as after Yes
        {"No", KeyStep(Qt::Key_N, Qt::AltModifier), 1, 1},
        {"Yes", KeyStep(Qt::Key_Y, Qt::AltModifier), 1, 2}, // the record whose backup failed is not in
    };
    for (const auto &k : cases) {
        TempHome home;
        home.writeText(QStringLiteral("book.csv"), QStringLiteral("2026/01/01,,1,,\n"));
        QVERIFY(QDir(home.path()).mkdir(QStringLiteral("purslet.bak")));
        ScriptedQtUi ui;
        ui.realBoxes = true;
        DesktopSession s(ui);
        startActive(s, home.file(QStringLiteral("book.csv")));
        {
            ModalAnswers boxes({KeyStep(Qt::Key_Y, Qt::AltModifier), KeyStep(Qt::Key_N, Qt::AltModifier), k.answer});
            record(s, "100");
            record(s, "200");
            QVERIFY2(boxes.answered() == 3, k.name);
            QCOMPARE(boxes.titles.last(), QStringLiteral("ファイルの保存"));
        }
        QCOMPARE(ui.texts.last(), kSaveQuestion);
        QVERIFY2(ui.ends == k.ends, k.name);
        QVERIFY2(recordsIn(home.read(QStringLiteral("book.csv")), BookKind::Text) == k.recordsSaved, k.name);
        if (k.ends == 0) {
            QCOMPARE(s.app.book.recordCount(), 3);
            QVERIFY(s.app.doc.modified);
            QVERIFY(s.window.isVisible());
            QVERIFY(!home.exists(QStringLiteral("Setup.ini")));
        } else {
            // Written as at any shut-down.
            QVERIFY(home.read(QStringLiteral("Setup.ini")).startsWith("[frmInput]\r\nLeft="));
        }
    }
}

void BookSafetyTest::abandonedUndoLeavesNoFileToOverwrite()
{
    TempHome home;
    const QString path = home.file(QStringLiteral("book.csv"));
    home.writeText(QStringLiteral("book.csv"), QStringLiteral("2026/01/01,,1,,\n"));
    const QByteArray saved = home.read(QStringLiteral("book.csv"));
    ScriptedQtUi ui;
    DesktopSession s(ui);
    startActive(s, path);
    record(s, "100");
    record(s, "200");
    home.write(QStringLiteral("purslet.bak"), brokenBook(BookKind::Backup));

    // Yes to Undo, No in the error dialog: only the first record comes back.
    QTableView *cashier = s.window.findChild<BookWindow *>()->msfgCashier();
    QTest::mouseClick(cashier->viewport(), Qt::LeftButton, {},
                      cashier->visualRect(cashier->model()->index(1, 1)).center());
    ui.answers = {MsgAnswer::Yes, MsgAnswer::No};
    press(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(ui.answers.empty());
    QVERIFY(lastText(ui).endsWith(QStringLiteral("処理を続けますか？")));
    QCOMPARE(s.app.book.recordCount(), 1);
    QVERIFY(s.app.doc.modified);
    QCOMPARE(s.window.windowHandle()->title(), QStringLiteral("Purslet *"));
    QCOMPARE(s.window.menuAction(MenuItem::fileSave)->text(), QStringLiteral("上書き保存(&S)"));

    press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(ui.fileDialogTitles, QStringList{QStringLiteral("ファイルの保存")}); // Save As, cancelled
    QCOMPARE(home.read(QStringLiteral("book.csv")), saved);
}

PURSLET_UI_TEST(BookSafetyTest)
