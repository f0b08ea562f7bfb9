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
#include <QBarSeries>
#include <QBarSet>
#include <QGraphicsTextItem>
#include <QPieSeries>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>

#include <algorithm>
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

// The texts of a flat chart's scene as drawn: title and axis labels.
QStringList sceneTexts(QChartView *view)
{
    QStringList texts;
    for (QGraphicsItem *item : view->scene()->items())
        if (auto *text = qgraphicsitem_cast<QGraphicsTextItem *>(item); text && text->isVisible())
            texts << text->toPlainText();
    return texts;
}

// A catalog of "name=estimate" entries, as the program writes it.
void writeCatalog(const TempHome &home, const QString &kind, const QStringList &entries)
{
    QString text;
    for (int i = 0; i < entries.size(); ++i) {
        const QStringList parts = entries.at(i).split(QLatin1Char('='));
        text += QStringLiteral("[%1]\nMatter=%2\nEstimate=%3\n").arg(i).arg(parts.at(0), parts.at(1));
    }
    home.writeText(kind + QStringLiteral(".ini"), text);
}

// The value labels of an axis read back as numbers: round steps with separators.
void checkMoneyAxis(const QStringList &labels, qint64 highest)
{
    QVERIFY2(labels.size() >= 3, qPrintable(labels.join(QLatin1Char('|'))));
    const QLocale japanese(QLocale::Japanese);
    std::vector<qint64> values;
    for (const QString &label : labels) {
        bool ok = false;
        values.push_back(japanese.toLongLong(label, &ok));
        QVERIFY2(ok, qPrintable(label));
        QVERIFY2(values.back() < 1000 || label.contains(QLatin1Char(',')), qPrintable(label));
    }
    std::sort(values.begin(), values.end());
    const qint64 step = values[1] - values[0];
    qint64 unit = 1;
    while (unit * 10 <= step)
        unit *= 10;
    QVERIFY2(step == unit || step == 2 * unit || step == 5 * unit, qPrintable(labels.join(QLatin1Char('|'))));
    for (size_t i = 1; i < values.size(); ++i)
        QCOMPARE(values[i] - values[i - 1], step);
    QVERIFY(values.back() > highest);
}

// The topmost row of an image where a series' colour is drawn.
int topOfColour(const QImage &image, const QColor &colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                return y;
    return -1;
}

} // namespace

// Flat bars always; the step chart too where this machine draws it.
static std::vector<bool> chartKindsHere()
{
    OverrideCanDraw3D(std::nullopt);
    return CanDraw3D() ? std::vector<bool>{false, true} : std::vector<bool>{false};
}

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

    // A kind without matters: its title and the line, no bars.
    home.write(QStringLiteral("empty.csv"), QByteArray());
    home.writeText(QStringLiteral("Income.ini"), QString());
    const QString empty = home.file(QStringLiteral("empty.png"));
    std::tie(code, err) = run({QStringLiteral("--chart"), QStringLiteral("1"), home.file(QStringLiteral("empty.csv")), empty});
    QCOMPARE(code, 0);
    const QImage nothing(empty);
    QCOMPARE(countExactly(nothing, SeriesColour(0)) + countExactly(nothing, SeriesColour(1)), 0);
    QVERIFY(countExactly(nothing, Qt::black, QRect(0, 0, 800, 60)) > 20);    // the title
    QVERIFY(countExactly(nothing, Qt::black, QRect(0, 270, 800, 60)) > 20);  // the line
    QCOMPARE(countExactly(nothing, Qt::white, QRect(0, 400, 800, 200)), 800 * 200);

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

void ChartWindowTest::amountsPast32BitsOnRoundAxes()
{
    TempHome home;
    writeCatalog(home, QStringLiteral("Income"), {QStringLiteral("給料=0")});
    writeCatalog(home, QStringLiteral("Outgo"), {QStringLiteral("家賃=4,000,000,000"), QStringLiteral("食費=20,000")});
    DefaultAnswerUi ui;
    DesktopSession s(ui);
    s.start(QString(), false);
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    // One entry holds eight digits: the totals pass 32 bits by many entries.
    for (int i = 0; i < 42; ++i)
        RecordDirectly(s.presenters.input, QStringLiteral("2024/04/01"), i < 11, i < 11 ? QStringLiteral("給料") : QStringLiteral("家賃"),
                       QStringLiteral("99999999"));

    for (const bool threeD : chartKindsHere()) {
        OverrideCanDraw3D(threeD);
        withGraphWindow(s, [&](ChartWindow *w) {
            // The pie's shares are the advice's, and its labels the true totals.
            QVERIFY(w->txtAdvice()->toPlainText().startsWith(
                QStringLiteral("　収入合計額の割合は26%、支出合計額の割合は74%です。")));
            auto *pie = qobject_cast<QPieSeries *>(w->flatChart()->chart()->series().first());
            QVERIFY(pie);
            QCOMPARE(qRound(pie->slices().at(1)->percentage() * 100), 74);
            QCOMPARE(pie->slices().at(1)->label(), QStringLiteral("支出合計額 3,099,999,969円"));
            QVERIFY(sceneTexts(w->flatChart()).contains(QStringLiteral("収支割合グラフ")));

            clickOption(w, 2);
            if (threeD) {
                QCOMPARE(w->stepChart()->title()->text(), QStringLiteral("支出事柄別グラフ"));
                QVERIFY(w->stepChart()->title()->isVisible());
                checkMoneyAxis(w->stepChart()->graph()->valueAxis()->labels(), 4'000'000'000);
                // The actual, shorter, behind the estimate still shows.
                QTest::qWait(100);
                const QImage bars = w->stepChart()->graph()->renderToImage(0, w->stepChart()->size());
                QVERIFY(countHue(bars, 0) > 1000);
                QVERIFY(countHue(bars, 1) > 1000);
                SaveScreenshot(screenImage(w), QStringLiteral("graph-past-32-bits.png"));
                return;
            }
            QChartView *view = w->flatChart();
            const QStringList texts = sceneTexts(view);
            QVERIFY(texts.contains(QStringLiteral("支出事柄別グラフ")));
            QStringList numbers;
            for (const QString &t : texts)
                if (!t.isEmpty() && t.at(0).isDigit())
                    numbers << t;
            checkMoneyAxis(numbers, 4'000'000'000);
            auto *bars = qobject_cast<QBarSeries *>(view->chart()->series().first());
            QCOMPARE(bars->barSets().at(0)->at(0), 4'000'000'000.0);
            QCOMPARE(bars->barSets().at(1)->at(0), 3'099'999'969.0);
            // The tallest bar stays below the top of the plot.
            const QImage image = view->grab().toImage();
            const int top = topOfColour(image, SeriesColour(0));
            QVERIFY(top > view->mapFromScene(view->chart()->plotArea().topLeft()).y() + 10);
        });
    }
}

void ChartWindowTest::manyMattersAndNoMatters()
{
    TempHome home;
    QStringList many;
    for (int i = 1; i <= 100; ++i)
        many << QStringLiteral("事柄%1=%2").arg(i).arg(i * 100);
    writeCatalog(home, QStringLiteral("Outgo"), many);
    home.writeText(QStringLiteral("Income.ini"), QString());
    DefaultAnswerUi ui;
    DesktopSession s(ui);
    s.start(QString(), false);
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    QVERIFY(s.app.book.msfgOutgo.rows() - 4 >= 100);

    for (const bool threeD : chartKindsHere()) {
        OverrideCanDraw3D(threeD);
        withGraphWindow(s, [&](ChartWindow *w) {
            clickOption(w, 2);
            QStringList names;
            if (threeD) {
                for (const QString &name : w->stepChart()->graph()->columnAxis()->labels())
                    if (!name.isEmpty())
                        names << name;
            } else {
                for (const QString &t : sceneTexts(w->flatChart()))
                    if (t.startsWith(QStringLiteral("事柄")) || t == QStringLiteral("その他") || t.contains(QChar(0x2026))
                        || t.contains(QStringLiteral("...")))
                        names << t;
            }
            QVERIFY2(names.size() >= 6 && names.size() <= 12, qPrintable(names.join(QLatin1Char('|'))));
            for (const QString &name : names)
                QVERIFY2(!name.contains(QChar(0x2026)) && !name.contains(QStringLiteral("...")), qPrintable(name));
            QTest::qWait(100);
            SaveScreenshot(screenImage(w), threeD ? QStringLiteral("graph-100-3d.png") : QStringLiteral("graph-100-flat.png"));

            // No income matters at all: the title and a line instead of axes.
            clickOption(w, 1);
            QCOMPARE(w->currentChart(), w->emptyChart());
            QVERIFY(w->emptyChart()->isVisible());
            QCOMPARE(w->emptyChart()->title()->text(), QStringLiteral("収入事柄別グラフ"));
            QCOMPARE(w->emptyChart()->message()->text(), QStringLiteral("グラフに表示する事柄がありません。"));
            QTest::qWait(50);
            SaveScreenshot(screenImage(w), QStringLiteral("graph-empty.png"));
        });
    }
}

PURSLET_UI_TEST(ChartWindowTest)
