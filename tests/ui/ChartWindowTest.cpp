#include "ChartWindowTest.h"
#include "ScriptedUi.h"
#include "TempHome.h"
#include "UiDriving.h"
#include "UiTests.h"

#include "ui/ChartViews.h"
#include "ui/ChartWindow.h"
#include "ui/DesktopMain.h"
#include "ui/QtUi.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <Q3DBars>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLegend>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>

#include <functional>

using namespace purslet;
using namespace purslet::test;

namespace {

// Answers every box with its default and shows the modal windows for real.
class DefaultAnswerUi final : public QtUi
{
public:
    QStringList texts;

    MsgAnswer messageBox(const QString &text, const QString &, MsgIcon, MsgButtons buttons,
                         MsgAnswer defaultAnswer) override
    {
        texts << text;
        std::deque<MsgAnswer> none;
        return NextAnswer(none, buttons, defaultAnswer);
    }
    QString inputBox(const QString &, const QString &, const QString &, bool) override { return QString(); }
    void endProgram() override {}
};

// The program on the sample book and its catalogs, shown.
bool startOnSample(const TempHome &home, DesktopSession &s)
{
    CopySampleCatalogs(home);
    s.start(SampleBook(), false);
    return QTest::qWaitForWindowExposed(&s.window);
}

// What is on the screen there, GL windows included (a widget grab leaves them blank).
QImage screenImage(QWidget *widget)
{
    const QPoint topLeft = widget->mapToGlobal(QPoint(0, 0));
    return widget->screen()->grabWindow(0, topLeft.x(), topLeft.y(), widget->width(), widget->height()).toImage();
}

int countExactly(const QImage &image, const QColor &colour, const QRect &area = QRect())
{
    const QRect r = area.isNull() ? image.rect() : area.intersected(image.rect());
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixelColor(x, y).rgb() == colour.rgb();
    return n;
}

// Lit and shaded faces of a series' bars keep its hue: blue-ish or red-ish.
int countHue(const QImage &image, int series)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += series == 0 ? c.blue() > c.red() + 60 && c.blue() > c.green() + 30
                             : c.red() > c.green() + 60 && c.red() > c.blue() + 60;
        }
    return n;
}

// Opens the graph window as a user does: Alt+A opens the Show menu, G its
// graph item. The window is modal, so `body` runs while it is up; a body
// that fails leaves it open, and it is closed then.
void withGraphWindow(DesktopSession &s, const std::function<void(ChartWindow *)> &body)
{
    bool ran = false;
    auto *poll = new QTimer(&s.window);
    QObject::connect(poll, &QTimer::timeout, poll, [&] {
        auto *window = qobject_cast<ChartWindow *>(QApplication::activeModalWidget());
        if (!window || !window->isVisible())
            return;
        poll->stop();
        if (QTest::qWaitForWindowExposed(window))
            body(window);
        ran = true;
        if (window->isVisible())
            window->reject();
    });
    poll->start(10);
    s.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_G);
    QTRY_VERIFY(ran);
    delete poll;
}

void clickOption(ChartWindow *w, int index)
{
    QRadioButton *option = w->optChartType(index);
    QTest::mouseClick(option, Qt::LeftButton, Qt::NoModifier, QPoint(8, option->height() / 2));
}

void clickLegendBox(ChartWindow *w)
{
    QTest::mouseClick(w->chkExample(), Qt::LeftButton, Qt::NoModifier, QPoint(8, w->chkExample()->height() / 2));
}

// The legend of the flat chart as a rectangle of the chart view.
QRect legendRect(ChartWindow *w)
{
    QChartView *view = w->flatChart();
    const QRectF scene = view->chart()->legend()->mapRectToScene(view->chart()->legend()->rect());
    return view->mapFromScene(scene).boundingRect();
}

} // namespace

void ChartWindowTest::initTestCase()
{
    InitResources();
    InstallJapaneseFonts();
}

void ChartWindowTest::cleanup()
{
    OverrideCanDraw3D(std::nullopt);
}

void ChartWindowTest::ratioPieThenStepChartsOfTheSample()
{
    if (!CanDraw3D())
        QSKIP("no OpenGL here for the step chart");
    TempHome home;
    DefaultAnswerUi ui;
    DesktopSession s(ui);
    QVERIFY(startOnSample(home, s));

    withGraphWindow(s, [&](ChartWindow *w) {
        QCOMPARE(w->windowTitle(), QStringLiteral("グラフ表示"));
        QVERIFY(w->isModal());
        QVERIFY((w->frameGeometry().center() - s.window.frameGeometry().center()).manhattanLength() < 4);
        QCOMPARE(w->fraChartType()->title(), QStringLiteral("グラフの表示種類"));
        QVERIFY(w->optChartType(0)->isChecked());
        QVERIFY(w->chkExample()->isChecked());
        QVERIFY(w->txtAdvice()->isReadOnly());
        QCOMPARE(w->txtAdvice()->toPlainText(), QStringLiteral("　収入合計額の割合は71%、支出合計額の割合は29%です。\n"
                                                               "　引き続きこの調子をキープしてください。"));

        // The pie: both slices drawn, both in the legend.
        QTRY_VERIFY(countExactly(w->flatChart()->grab().toImage(), SeriesColour(1)) > 2000);
        QImage pie = w->flatChart()->grab().toImage();
        QVERIFY(countExactly(pie, SeriesColour(0)) > 4000);
        const QRect legend = legendRect(w);
        QVERIFY(countExactly(pie, SeriesColour(0), legend) > 10);
        QVERIFY(countExactly(pie, SeriesColour(1), legend) > 10);
        SaveScreenshot(screenImage(w), QStringLiteral("graph-ratio.png"));

        QTest::mouseMove(w->fraChartType(), QPoint(w->fraChartType()->width() - 4, w->fraChartType()->height() - 4));
        QTRY_COMPARE(s.window.statusPanel(1)->text(), QStringLiteral("グラフの表示条件を決定します。"));

        clickLegendBox(w);
        QVERIFY(!w->chkExample()->isChecked());
        QTRY_COMPARE(countExactly(w->flatChart()->grab().toImage(), SeriesColour(0), legend), 0);
        QCOMPARE(countExactly(w->flatChart()->grab().toImage(), SeriesColour(1), legend), 0);

        // The outgo step chart: the legend stays off as the user left it.
        clickOption(w, 2);
        QVERIFY(w->optChartType(2)->isChecked());
        QCOMPARE(w->currentChart(), w->stepChart());
        QVERIFY(!w->stepChart()->legend()->isVisible());
        const QStringList lines = w->txtAdvice()->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines.first(), QStringLiteral("　その他の差額は-300円で、すでに支出額は支出予定額に達しています。"));
        QCOMPARE(lines.at(8), QStringLiteral("　食費の差額は3,390円で、まだ支出額は支出予定額に達していません。"));
        QCOMPARE(lines.last(), QString());
        const QImage bars = w->stepChart()->graph()->renderToImage(0, w->stepChart()->size());
        QVERIFY(countHue(bars, 0) > 1000);
        QVERIFY(countHue(bars, 1) > 1000);

        clickLegendBox(w);
        QVERIFY(w->stepChart()->legend()->isVisible());
        QTRY_VERIFY(countExactly(screenImage(w->stepChart()->legend()), SeriesColour(1)) >= 100);
        QTest::qWait(100);
        SaveScreenshot(screenImage(w), QStringLiteral("graph-outgo.png"));

        clickOption(w, 1);
        QVERIFY(w->txtAdvice()->toPlainText().startsWith(QStringLiteral("　お小遣いの差額は0円で、すでに収入額")));
        QTest::qWait(100);
        SaveScreenshot(screenImage(w), QStringLiteral("graph-income.png"));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!w->isVisible());
    });

    // Nothing is kept: the next opening shows the pie with its legend again.
    withGraphWindow(s, [&](ChartWindow *w) {
        QVERIFY(w->optChartType(0)->isChecked());
        QVERIFY(w->chkExample()->isChecked());
        QCOMPARE(w->currentChart(), w->flatChart());
        QVERIFY(w->flatChart()->chart()->legend()->isVisible());
    });
    QVERIFY2(ui.texts.isEmpty(), qPrintable(ui.texts.join(QLatin1Char('|'))));
}

void ChartWindowTest::flatBarsWhereThereIsNoOpenGL()
{
    OverrideCanDraw3D(false);
    TempHome home;
    DefaultAnswerUi ui;
    DesktopSession s(ui);
    QVERIFY(startOnSample(home, s));

    withGraphWindow(s, [&](ChartWindow *w) {
        // The chosen kind has the focus: the arrow keys change it at once.
        QCOMPARE(focus(), w->optChartType(0));
        press(Qt::Key_Down);
        QVERIFY(w->optChartType(1)->isChecked());
        QVERIFY(w->txtAdvice()->toPlainText().startsWith(QStringLiteral("　お小遣い")));
        clickOption(w, 1);
        QCOMPARE(w->currentChart(), w->flatChart());
        QVERIFY(!w->stepChart());
        QCOMPARE(w->txtAdvice()->toPlainText().count(QLatin1Char('\n')), 3);
        const QImage bars = w->flatChart()->grab().toImage();
        QVERIFY(countExactly(bars, SeriesColour(0)) > 2000);
        QVERIFY(countExactly(bars, SeriesColour(1)) > 2000);
        const QRect legend = legendRect(w);
        QVERIFY(countExactly(bars, SeriesColour(0), legend) > 10);
        QVERIFY(countExactly(bars, SeriesColour(1), legend) > 10);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!w->isVisible());
    });
}

void ChartWindowTest::emptyBookGivesEmptyChartsWithoutError()
{
    TempHome home;
    DefaultAnswerUi ui;
    DesktopSession s(ui);
    s.start(QString(), false);
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));

    withGraphWindow(s, [&](ChartWindow *w) {
        QCOMPARE(w->txtAdvice()->toPlainText(), QStringLiteral("　現在のアドバイスは特にありません。\n"
                                                               "　引き続きこの調子をキープしてください。"));
        for (int kind : {1, 2}) {
            clickOption(w, kind);
            QVERIFY(w->txtAdvice()->toPlainText().isEmpty());
            QVERIFY(w->currentChart()->isVisible());
            QTest::qWait(50);
        }
    });
    QVERIFY(ui.texts.isEmpty());
}

void ChartWindowTest::chartImagesFromTheCommandLine()
{
    TempHome home;
    CopySampleCatalogs(home);
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../purslet");
    const QString out = home.file(QStringLiteral("outgo.png"));
    auto run = [&](const QStringList &arguments) {
        QProcess process;
        process.start(program, arguments);
        process.closeWriteChannel();
        process.waitForFinished(30000);
        return std::pair(process.exitCode(), QString::fromUtf8(process.readAllStandardError()));
    };

    auto [code, err] = run({QStringLiteral("--chart"), QStringLiteral("2"), SampleBook(),
                            out, QStringLiteral("--size"), QStringLiteral("640x400")});
    QCOMPARE(code, 0);
    QCOMPARE(err, QString());
    const QImage image(out);
    QCOMPARE(image.size(), QSize(640, 400));
    QVERIFY(countExactly(image, SeriesColour(0)) > 1000);
    QVERIFY(countExactly(image, SeriesColour(1)) > 1000);

    // A book that cannot be read leaves the image that is there alone.
    const QByteArray before = home.read(QStringLiteral("outgo.png"));
    std::tie(code, err) = run({QStringLiteral("--chart"), QStringLiteral("0"), home.file(QStringLiteral("none.psl")), out});
    QCOMPARE(code, 1);
    QVERIFY(err.startsWith(QStringLiteral("purslet: ") + home.file(QStringLiteral("none.psl")) + QStringLiteral(": ")));
    QCOMPARE(err.count(QLatin1Char('\n')), 1);
    QCOMPARE(home.read(QStringLiteral("outgo.png")), before);

    const QString nowhere = home.file(QStringLiteral("no-folder/pie.png"));
    std::tie(code, err) = run({QStringLiteral("--chart"), QStringLiteral("0"), SampleBook(), nowhere});
    QCOMPARE(code, 1);
    QVERIFY(err.startsWith(QStringLiteral("purslet: ") + nowhere + QStringLiteral(": ")));
    QVERIFY(!QFile::exists(nowhere));
}

PURSLET_UI_TEST(ChartWindowTest)
