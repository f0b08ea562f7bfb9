#include "../files/ShellBookFixture.h"
#include "FakeShellView.h"

#include "files/BookFormat.h"
#include "operations/BookOperations.h"
#include "shell/Presenters.h"
#include "shell/Settings.h"
#include "shell/Shutdown.h"
#include "shell/Startup.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>

using namespace purslet;
using namespace purslet::test;

namespace {

class StartupTest : public ::testing::Test
{
protected:
    StartupTest() : app(ui, home.path()), presenters(app) {}

    void start(const QString &commandLine = QString())
    {
        StartupOptions options;
        options.commandLine = commandLine;
        options.today = QDate(2026, 12, 7);
        options.registerFileType = [this] { view.log << QStringLiteral("registerFileType"); };
        RunStartup(presenters, view, options);
    }

    WindowGeometry g(ShellWindow w) const { return view.windows.at(w); }

    TempHome home;
    ScriptedUi ui;
    App app;
    Presenters presenters;
    FakeShellView view;
};

TEST_F(StartupTest, FirstStartLaysTheWindowsOutFromTheDefaults)
{
    start();
    using W = ShellWindow;
    // Entry window top left, as wide as the fitted calendar; calendar under it.
    EXPECT_EQ(g(W::Calendar), (WindowGeometry{0, 2500, 3600, 2700, 0}));
    EXPECT_EQ(g(W::Input), (WindowGeometry{0, 0, 3600, 2500, 0}));
    // Book window right of the entry window, as high as both, square.
    EXPECT_EQ(g(W::Book), (WindowGeometry{3600, 0, 5200, 5200, 0}));
    // Main window large enough for the three, centred.
    const double height = 330 + 420 + 2500 + 2700 + 750;
    const double width = 3600 + 5200 + 250;
    EXPECT_EQ(g(W::Main), (WindowGeometry{(19200 - width) / 2, (14400 - height) / 2, width, height, 0}));
    EXPECT_EQ(view.panelWidth, width - 2000);

    for (const MenuItem item : {MenuItem::showInput, MenuItem::showCalendar, MenuItem::showMain})
        EXPECT_TRUE(app.menu.checked(item)) << MenuItemName(item).toStdString();
    EXPECT_FALSE(app.menu.checked(MenuItem::setupHighSpeedMode));
    EXPECT_TRUE(app.menu.history().isEmpty());
    EXPECT_FALSE(app.menu.item(MenuItem::fileHistory).visible);
    EXPECT_FALSE(app.menu.enabled(MenuItem::setupDeleteHistory));
    EXPECT_EQ(presenters.bookWindow.tab(), 0);
    EXPECT_EQ(presenters.input.date(), QStringLiteral("2026/12/07"));
    EXPECT_TRUE(presenters.input.income());
    EXPECT_EQ(app.book.msfgCashier.rows(), 4);

    EXPECT_EQ(view.log,
              (QStringList{QStringLiteral("registerFileType"), QStringLiteral("createMainWindow"),
                           QStringLiteral("createChildWindows"), QStringLiteral("buildToolbar"),
                           QStringLiteral("buildStatusBar"), QStringLiteral("showMainWindow"),
                           QStringLiteral("show 1 1"), QStringLiteral("show 2 1"), QStringLiteral("show 3 1")}));
}

TEST_F(StartupTest, TheBookWindowIsWideEnoughForTheCashBookColumnsButFitsTheScreen)
{
    // Square wins while the columns fit; the room beside the entry window caps it.
    const struct
    {
        const char *setup;
        double width;
    } cases[] = {
        {"", 8000 + 600},
        {"[msfgCashier]\nColWidth5=3000\n", 9350 + 600},
        {"[msfgCashier]\nColWidth1=2000\nColWidth5=abc\n", 8350 + 600},
        {"[msfgCashier]\nColWidth1=30000\n", 19200 - 3600 - 250},
        {"[msfgCashier]\nColWidth0=1\nColWidth1=1\nColWidth2=1\nColWidth3=1\nColWidth4=1\nColWidth5=1\n", 5200},
        {"[frmMain]\nWidth=7000\n", 7000},
    };
    for (const auto &c : cases) {
        home.writeText(QStringLiteral("Setup.ini"), QString::fromUtf8(c.setup));
        view = FakeShellView();
        view.bookChrome = 600;
        start();
        EXPECT_EQ(g(ShellWindow::Book).width, c.width) << c.setup;
        EXPECT_EQ(g(ShellWindow::Main).width, 3600 + c.width + 250) << c.setup;
    }
}

TEST_F(StartupTest, StoredValuesApplyAndABadOneIsSkipped)
{
    home.writeText(QStringLiteral("Setup.ini"),
                   QStringLiteral("[frmInput]\nLeft=abc\nTop=300\noptCashier(0)=False\n"
                                  "[frmMain]\nWidth=7000\nSSTab=2\nWindowState=99999\n"
                                  "[Menu]\nshowCalendar=False\nsetupHighSpeedMode=1\n"
                                  "[FileHistory]\n1=/b/one.psl\n2=/b/two.psl\n4=/b/four.psl\n"
                                  "[Other]\nx=1\n"));
    start();
    using W = ShellWindow;
    EXPECT_EQ(g(W::Input).left, 100); // designed value kept
    EXPECT_EQ(g(W::Input).top, 300);
    EXPECT_EQ(g(W::Book).width, 7000);
    EXPECT_EQ(g(W::Book).windowState, 0);
    EXPECT_EQ(presenters.bookWindow.tab(), 2);
    EXPECT_FALSE(presenters.input.income());
    EXPECT_FALSE(app.menu.checked(MenuItem::showCalendar));
    EXPECT_TRUE(app.menu.checked(MenuItem::setupHighSpeedMode));
    EXPECT_EQ(app.menu.history(), (QStringList{QStringLiteral("/b/one.psl"), QStringLiteral("/b/two.psl")}));
    EXPECT_TRUE(app.menu.item(MenuItem::fileHistory).visible);
    EXPECT_TRUE(app.menu.enabled(MenuItem::setupDeleteHistory));
    EXPECT_FALSE(view.log.contains(QStringLiteral("show 2 1")));
    EXPECT_TRUE(view.log.contains(QStringLiteral("show 1 1")));
}

TEST_F(StartupTest, ACommandLineBookIsReadBeforeTheLayoutAndKept)
{
    const QString path = home.file(QStringLiteral("my book.csv"));
    home.writeText(QStringLiteral("my book.csv"), QStringLiteral("\"2026/01/05\",\"\",\"1,000\",\"\",\"\"\n"));
    start(path);
    EXPECT_EQ(app.book.recordCount(), 1);
    EXPECT_EQ(app.doc.path, path);
    EXPECT_EQ(app.doc.windowTitle, QStringLiteral("Purslet [") + path + QLatin1Char(']'));
    EXPECT_FALSE(app.book.SkipNextReset);
}

TEST_F(StartupTest, ACommandLineBookStaysOnTopOfTheStoredRecentFiles)
{
    const QString path = home.file(QStringLiteral("book.csv"));
    home.writeText(QStringLiteral("book.csv"), QStringLiteral("\"2026/01/05\",\"\",\"1\",\"\",\"\"\n"));
    const QString a = QStringLiteral("/b/a.psl"), b = QStringLiteral("/b/b.psl"), c = QStringLiteral("/b/c.psl");
    const struct
    {
        QStringList stored, expected;
    } cases[] = {
        {{a, b, c, QStringLiteral("/b/d.psl")}, {path, a, b, c}}, // the oldest drops out
        {{a, path, b}, {path, a, b}},                             // listed once
    };
    for (const auto &k : cases) {
        App fresh(ui, home.path());
        Presenters p(fresh);
        FakeShellView v;
        QString setup = QStringLiteral("[FileHistory]\n");
        for (int i = 0; i < k.stored.size(); ++i)
            setup += QString::number(i + 1) + QLatin1Char('=') + k.stored.at(i) + QLatin1Char('\n');
        home.writeText(QStringLiteral("Setup.ini"), setup);
        StartupOptions options;
        options.commandLine = path;
        RunStartup(p, v, options);
        EXPECT_EQ(fresh.menu.history(), k.expected);
        EXPECT_TRUE(fresh.menu.item(MenuItem::fileHistory).visible);
    }
}

TEST_F(StartupTest, ARelativeCommandLineBookIsNamedByItsFullPath)
{
    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("books")));
    home.writeText(QStringLiteral("books/a.csv"), QStringLiteral("\"2026/01/05\",\"\",\"1\",\"\",\"\"\n"));
    const QString full = home.file(QStringLiteral("books/a.csv"));
    const QString elsewhere = QDir::currentPath();
    const auto back = qScopeGuard([&] { QDir::setCurrent(elsewhere); });
    for (const QString &given : {QStringLiteral("books/a.csv"), QStringLiteral("./books/a.csv")}) {
        App fresh(ui, home.path());
        Presenters p(fresh);
        FakeShellView v;
        ASSERT_TRUE(QDir::setCurrent(home.path()));
        StartupOptions options;
        options.commandLine = given;
        RunStartup(p, v, options);
        EXPECT_EQ(fresh.doc.path, full) << qPrintable(given);
        EXPECT_EQ(fresh.doc.windowTitle, QStringLiteral("Purslet [") + full + QLatin1Char(']'));
        EXPECT_EQ(fresh.menu.history().value(0), full);

        // Saved after the working folder changed: the same file.
        ASSERT_TRUE(QDir::setCurrent(elsewhere));
        p.input.setMoneyText(QStringLiteral("7"));
        p.input.txtMoney_Change();
        p.input.cmdEnter_Click();
        p.files.fileSave_Click();
        EXPECT_EQ(ParseBook(home.read(QStringLiteral("books/a.csv")), BookKind::Text).records.size(),
                  size_t(fresh.book.recordCount()));
        EXPECT_FALSE(QFile::exists(QStringLiteral("books/a.csv")));
    }
}

class ShutdownTest : public StartupTest
{
protected:
    QString setupText() const
    {
        QString s = QString::fromLatin1(home.read(QStringLiteral("Setup.ini")));
        return s;
    }
};

TEST_F(ShutdownTest, RewritesSetupInTableOrderAndRemovesTheBackup)
{
    home.writeText(QStringLiteral("Setup.ini"),
                   QStringLiteral("[frmMatter]\nLeft=10\nTop=20\n[Stray]\nkey=1\n[FileHistory]\n1=/x/a.psl\n"));
    start();
    home.write(QStringLiteral("purslet.bak"), "x");
    home.write(QStringLiteral("Outgo.ini.bak"), "x"); // the catalog kept with it
    view.windows[ShellWindow::Calendar].left = 1234;
    app.book.msfgCashier.setColWidth(5, 3000);
    app.book.IncomeSortAscending = false;
    app.menu.setChecked(MenuItem::showMain, false);
    app.doc.key = BookKey::derive(QStringLiteral("pw"), BookKey::newSalt(), KdfLimits{1, 8192});

    EXPECT_EQ(fileEnd_Click(presenters, view), EndOutcome::Ended);
    EXPECT_EQ(ui.endRequests, 1);
    EXPECT_TRUE(ui.messages.empty()); // unmodified: no question
    EXPECT_FALSE(home.exists(QStringLiteral("purslet.bak")));
    EXPECT_FALSE(home.exists(QStringLiteral("Outgo.ini.bak")));
    EXPECT_FALSE(app.doc.key.held()); // the end runs no destructors: wiped before it

    const QString text = setupText();
    EXPECT_FALSE(text.contains(QStringLiteral("frmMatter")));
    EXPECT_FALSE(text.contains(QStringLiteral("Stray")));
    EXPECT_TRUE(text.contains(QStringLiteral("[frmCalendar]\r\nLeft=1234\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("ColWidth5=3000\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("[FileHistory]\r\n1=/x/a.psl\r\n")));

    // Every key in table order, sections in the order they first appear.
    QStringList order;
    QString section;
    for (const QString &line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('[')))
            section = line.mid(1, line.size() - 2);
        else
            order << section + QLatin1Char('/') + line.section(QLatin1Char('='), 0, 0);
    }
    QStringList expected;
    for (const SettingKey &k : SettingsTable()) {
        if (k.section == QLatin1String("frmMatter"))
            continue;
        expected << k.section + QLatin1Char('/') +
                        (k.section == QLatin1String("FileHistory") ? QStringLiteral("1") : k.key);
    }
    EXPECT_EQ(order, expected);

    // The next start reads it back.
    App again(ui, home.path());
    Presenters p2(again);
    FakeShellView view2;
    StartupOptions options;
    RunStartup(p2, view2, options);
    EXPECT_EQ(view2.windows.at(ShellWindow::Calendar).left, 1234);
    EXPECT_EQ(again.book.msfgCashier.colWidth(5), 3000);
    EXPECT_FALSE(again.book.IncomeSortAscending);
    EXPECT_FALSE(again.menu.checked(MenuItem::showMain));
    EXPECT_EQ(again.menu.history(), QStringList{QStringLiteral("/x/a.psl")});
}

TEST_F(ShutdownTest, AModifiedBookIsOfferedForSavingFirst)
{
    start();
    presenters.input.setMoneyText(QStringLiteral("500"));
    presenters.input.txtMoney_Change();
    presenters.input.cmdEnter_Click();
    ASSERT_TRUE(app.doc.modified);
    ui.answers = {MsgAnswer::No};
    EXPECT_EQ(fileEnd_Click(presenters, view), EndOutcome::Ended);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages.front().text, QStringLiteral("ファイルの変更内容を保存しますか？"));
    EXPECT_EQ(ui.endRequests, 1);
    EXPECT_TRUE(home.exists(QStringLiteral("Setup.ini")));
}

TEST_F(ShutdownTest, ASettingsFileThatCannotBeRemovedStopsTheShutdown)
{
    start();
    home.write(QStringLiteral("purslet.bak"), "x");
    // A folder in place of Setup.ini cannot be removed as a file.
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("Setup.ini/inner")));
    EXPECT_EQ(fileEnd_Click(presenters, view), EndOutcome::StepFailed);
    EXPECT_EQ(ui.endRequests, 0);
    EXPECT_TRUE(home.exists(QStringLiteral("purslet.bak")));
}

} // namespace

TEST_F(ShutdownTest, TheMonthShownIsKeptWhileTheBookHoldsIt)
{
    const QString path = home.file(QStringLiteral("b.csv"));
    home.writeText(QStringLiteral("b.csv"), QStringLiteral("\"2026/01/05\",\"\",\"1,000\",\"\",\"\"\n"
                                                           "\"2026/02/05\",\"\",\"\",\"300\",\"\"\n"));
    start(path);
    ShowPeriod(app, QStringLiteral("2026/01"));
    ASSERT_EQ(fileEnd_Click(presenters, view), EndOutcome::Ended);
    EXPECT_TRUE(setupText().contains(QStringLiteral("SSTab=0\r\nPeriod=2026/01\r\n")));

    struct Case
    {
        QString book;
        QString shown;
    };
    // Restored for the book that holds January; the whole book for one that does not.
    for (const Case &c : {Case{path, QStringLiteral("2026/01")}, Case{QString(), QString()}}) {
        App again(ui, home.path());
        Presenters p2(again);
        FakeShellView view2;
        StartupOptions options;
        options.commandLine = c.book;
        RunStartup(p2, view2, options);
        EXPECT_EQ(again.book.period, c.shown);
        EXPECT_EQ(again.book.shownCashier().text(1, 1), c.shown.isEmpty() ? QStringLiteral("") : QStringLiteral("前月繰越"));
    }
}
