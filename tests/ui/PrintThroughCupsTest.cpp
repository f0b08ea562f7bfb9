#include "PrintThroughCupsTest.h"

#include "PrintCheck.h"
#include "PrivateCups.h"
#include "ScriptedUi.h"
#include "TempHome.h"
#include "UiDriving.h"
#include "UiTests.h"

#include "operations/BookReader.h"
#include "printing/PrintLayout.h"
#include "state/App.h"
#include "ui/DesktopMain.h"
#include "ui/PdfExport.h"
#include "ui/QtUi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QPrintDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QToolBar>
#include <QTimer>

#include <deque>
#include <functional>

using namespace purslet;
using namespace purslet::test;

namespace {

const QString kQueue = QStringLiteral("purslet-test");
const QString kSending = QStringLiteral("印刷内容をプリンタに送信しています...");
const QString kSent = QStringLiteral("印刷内容をプリンタに送信しました。");

// The real Ui, with message boxes answered from a script and the status
// texts recorded.
class ScriptedQtUi final : public QtUi
{
public:
    std::deque<MsgAnswer> answers;
    QStringList messages;
    QStringList statuses;

    MsgAnswer messageBox(const QString &text, const QString &, MsgIcon, MsgButtons buttons,
                         MsgAnswer defaultAnswer) override
    {
        messages << text;
        return NextAnswer(answers, buttons, defaultAnswer);
    }
    QString inputBox(const QString &, const QString &, const QString &, bool) override { return QString(); }
    void showStatus(const QString &text) override
    {
        statuses << text;
        QtUi::showStatus(text);
    }
    void endProgram() override {}
};

// The program on a book of 100 records (two pages of cash book), opened
// from the command line as a user would.
struct Session
{
    TempHome home;
    ScriptedQtUi ui;
    std::unique_ptr<DesktopSession> s;

    Session()
    {
        WriteBookFiles(home, QStringLiteral("book.csv"), 100);
        s = std::make_unique<DesktopSession>(ui);
        s->start(home.file(QStringLiteral("book.csv")), false);
        s->window.show();
        s->window.activateWindow();
        ui.statuses.clear();
    }
    bool ready() { return QTest::qWaitForWindowActive(&s->window); }
};

// Runs `act` on the next modal window once it shows and has the keyboard
// focus, from inside its own event loop. It gives up after a while, so that
// a missing dialog fails the test instead of hanging it, and at the end of
// the scope, so that it never acts in another test.
class OnNextModal
{
public:
    explicit OnNextModal(std::function<void(QWidget *)> act) : m_deadline(15000)
    {
        QObject::connect(&m_poll, &QTimer::timeout, [this, act] {
            QWidget *modal = QApplication::activeModalWidget();
            const bool ready = modal && modal->isActiveWindow() && QApplication::focusWidget()
                               && QApplication::focusWidget()->window() == modal;
            if (!ready && !m_deadline.hasExpired())
                return;
            m_poll.stop();
            if (ready)
                act(modal);
        });
        m_poll.start(50);
    }

private:
    QTimer m_poll;
    QDeadlineTimer m_deadline;
};

void pressCtrlP()
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
}

} // namespace

PrintThroughCupsTest::PrintThroughCupsTest() = default;
PrintThroughCupsTest::~PrintThroughCupsTest() = default;

void PrintThroughCupsTest::initTestCase()
{
    InitResources();
    InstallJapaneseFonts();
    m_cups = std::make_unique<PrivateCups>();
    QString why;
    if (!m_cups->start(&why)) {
        m_cups.reset();
        QSKIP(qPrintable(QStringLiteral("no CUPS server can run here: ") + why));
    }
}

void PrintThroughCupsTest::cleanupTestCase()
{
    m_cups.reset();
}

void PrintThroughCupsTest::init()
{
    QString why;
    QVERIFY2(m_cups->addQueue(kQueue, m_cups->path(QStringLiteral("out/job.pdf")), &why), qPrintable(why));
}

void PrintThroughCupsTest::withoutAPrinterCtrlPIsReported()
{
    QVERIFY(m_cups->run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), kQueue}));
    Session session;
    QVERIFY(session.ready());
    bool dialogShown = false;
    const OnNextModal closeIt([&](QWidget *modal) {
        dialogShown = true;
        modal->close();
    });
    pressCtrlP();
    QVERIFY(!dialogShown);
    QCOMPARE(session.ui.messages.size(), 1);
    QVERIFY(session.ui.messages[0].startsWith(QStringLiteral("使用できるプリンタがありません。")));
    QVERIFY(session.ui.statuses.isEmpty());
}

void PrintThroughCupsTest::printAllThroughTheDialogArrivesWhole()
{
    const QString out = m_cups->path(QStringLiteral("out/job.pdf"));

    Session session;
    QVERIFY(session.ready());
    bool collateChecked = false;
    bool printToFile = true;
    bool selection = true;
    bool pageRange = true;
    QStringList rangeOffered, englishTexts;
    int rangeWidgets = 0;
    const OnNextModal answer([&](QWidget *modal) {
        auto *dialog = qobject_cast<QPrintDialog *>(modal);
        if (!dialog)
            return;
        printToFile = dialog->testOption(QAbstractPrintDialog::PrintToFile);
        selection = dialog->testOption(QAbstractPrintDialog::PrintSelection);
        pageRange = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
        if (auto *collate = dialog->findChild<QCheckBox *>(QStringLiteral("collate")))
            collateChecked = collate->isChecked();
        SaveScreenshot(dialog, QStringLiteral("print-dialog.png"));
        // The options, opened as a user does, show no way to a page range.
        for (QPushButton *b : dialog->findChildren<QPushButton *>())
            if (b->text().startsWith(QStringLiteral("オプション")))
                QTest::mouseClick(b, Qt::LeftButton);
        rangeOffered = PageRangeWidgetsOffered(dialog, &rangeWidgets);
        // The printer's type and place come from CUPS, not from Qt.
        englishTexts = EnglishTexts(dialog, {QStringLiteral("type"), QStringLiteral("location")});
        SaveScreenshot(dialog, QStringLiteral("print-dialog-options.png"));
        auto *buttons = dialog->findChild<QDialogButtonBox *>();
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    pressCtrlP();

    QVERIFY2(rangeWidgets >= 2, "the page range widgets were not found");
    QCOMPARE(rangeOffered, QStringList());
    QCOMPARE(englishTexts, QStringList());
    QVERIFY(!printToFile);
    QVERIFY(!selection);
    QVERIFY(!pageRange);
    QVERIFY(collateChecked);
    QCOMPARE(session.ui.messages, QStringList());
    QCOMPARE(session.ui.statuses, QStringList({kSending, kSent}));

    QVERIFY2(m_cups->waitUntilIdle(30000), qPrintable(m_cups->errorLog().right(2000)));
    QVERIFY2(QFile::exists(out), qPrintable(m_cups->errorLog().right(2000)));

    // The job is the whole of Print All, and it is what --pdf makes of the
    // same book on an A4 page with the same margins: lines and page breaks.
    const QString exported = session.home.file(QStringLiteral("export.pdf"));
    ScriptedUi quiet;
    ExportPdf(session.s->app.book, quiet, exported);
    QString error;
    const QStringList jobPages = PdfPages(out, PdfPitch(out), &error);
    QVERIFY2(!jobPages.isEmpty(), qPrintable(error));
    QCOMPARE(PdfPageCount(out), 2);
    QCOMPARE(jobPages, PdfPages(exported, PdfPitch(exported), &error));
    QStringList printed;
    for (const QString &line : PrintedLines(jobPages))
        if (!line.isEmpty())
            printed << Squeezed(line);
    QStringList expected;
    for (const QString &line : PrintAllLines(session.s->app.book))
        if (!line.isEmpty())
            expected << Squeezed(line);
    QCOMPARE(printed, expected);
    QFile::remove(out);
}

void PrintThroughCupsTest::aRefusedJobIsReportedNotSent()
{
    const QString out = m_cups->path(QStringLiteral("out/job.pdf"));
    QVERIFY(m_cups->run(QStringLiteral("cupsreject"), {kQueue}));
    Session session;
    QVERIFY(session.ready());
    session.ui.answers = {MsgAnswer::Yes};
    const OnNextModal answer([](QWidget *) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); });
    pressCtrlP();
    QVERIFY(m_cups->run(QStringLiteral("cupsaccept"), {kQueue}));

    QCOMPARE(session.ui.messages.size(), 1);
    QVERIFY2(session.ui.messages[0].startsWith(QStringLiteral("印刷内容をプリンタに送信できません。")),
             qPrintable(session.ui.messages[0]));
    QCOMPARE(session.ui.statuses, QStringList({kSending, QString()}));
    QVERIFY(m_cups->waitUntilIdle(10000));
    QVERIFY(!QFile::exists(out));
}

void PrintThroughCupsTest::escapeInTheDialogFromTheToolbarPrintsNothing()
{
    const QString out = m_cups->path(QStringLiteral("out/job.pdf"));
    Session session;
    QVERIFY(session.ready());
    QToolBar *toolbar = session.s->window.toolbar();
    QAction *print = toolbar->findChild<QAction *>(QStringLiteral("tool_print"));
    QVERIFY(print);
    QWidget *button = toolbar->widgetForAction(print);
    QVERIFY(button);
    bool dialogShown = false;
    const OnNextModal answer([&](QWidget *modal) {
        dialogShown = qobject_cast<QPrintDialog *>(modal) != nullptr;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    QVERIFY(dialogShown);
    QVERIFY(session.ui.messages.isEmpty());
    QVERIFY(session.ui.statuses.isEmpty());
    QVERIFY(m_cups->waitUntilIdle(10000));
    QVERIFY(!QFile::exists(out));
}

PURSLET_UI_TEST(PrintThroughCupsTest)
