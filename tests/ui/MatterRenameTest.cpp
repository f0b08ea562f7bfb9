#include "MatterRenameTest.h"

#include "ProgramUnderTest.h"
#include "UiTests.h"

#include "platform/Codepage.h"
#include "ui/MainWindow.h"
#include "ui/MatterEditorDialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

using namespace purslet;
using namespace purslet::test;

namespace {

// What a rename changes: the outgo catalog's bytes and the records' matters.
std::pair<QByteArray, QStringList> kept(Program &p)
{
    QStringList matters;
    const Grid &g = p.app().book.msfgCashier;
    for (int r = 1; r <= g.rows() - 4; ++r)
        matters << g.text(r, 1);
    return {p.home.read(QStringLiteral("Outgo.ini")), matters};
}

// Clicks the matter's row of the outgo summary, which opens the editor.
void clickOutgoMatter(Program &p, const QString &matter)
{
    QTabBar *tabs = p.book->tabs()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    QTableView *outgo = p.book->msfgOutgo();
    for (int row = 0; row < outgo->model()->rowCount(); ++row)
        if (outgo->model()->index(row, 0).data().toString() == matter)
            return clickCell(outgo, row, Qt::NoModifier, 0);
    QFAIL("no such matter row");
}

} // namespace

void MatterRenameTest::initTestCase()
{
    InitResources();
    InstallJapaneseFonts();
}

void MatterRenameTest::renameAndMergeAreUndoneWhole()
{
    const struct
    {
        QString typed;
        std::deque<MsgAnswer> answers; // to the merge question, then to Undo's
        QString catalog;
        QString status;
    } cases[] = {
        {QStringLiteral("書籍"),
         {MsgAnswer::Yes},
         QStringLiteral("[0]\r\nMatter=食費\r\nEstimate=30,000\r\n[1]\r\nMatter=書籍\r\nEstimate=5,000\r\n"
                        "[2]\r\nMatter=交通費\r\nEstimate=0\r\n"),
         QStringLiteral("2 件の記録の事柄名を変更しました")},
        {QStringLiteral("食費"),
         {MsgAnswer::Yes, MsgAnswer::Yes},
         QStringLiteral("[0]\r\nMatter=食費\r\nEstimate=30,000\r\n[1]\r\nMatter=交通費\r\nEstimate=0\r\n"),
         QStringLiteral("2 件の記録を「食費」にまとめました")},
    };
    for (const auto &c : cases) {
        Program p;
        QVERIFY(p.active);
        p.ui.realModals = true;
        InputPresenter &input = p.session->presenters.input;
        RecordDirectly(input, QStringLiteral("2026/05/01"), false, QStringLiteral("本"), QStringLiteral("1200"));
        RecordDirectly(input, QStringLiteral("2026/05/02"), false, QStringLiteral("食費"), QStringLiteral("800"));
        RecordDirectly(input, QStringLiteral("2026/05/03"), false, QStringLiteral("本"), QStringLiteral("2500"));
        const auto before = kept(p);
        p.ui.answers = c.answers;

        // The name box is before the estimate's: a Shift+Tab away.
        ModalAnswers editor({[&c](QWidget *window) {
            auto *dialog = qobject_cast<MatterEditorDialog *>(window);
            QVERIFY(dialog);
            QCOMPARE(dialog->txtMatter()->text(), QStringLiteral("本"));
            press(Qt::Key_Tab, Qt::ShiftModifier);
            QCOMPARE(focus(), static_cast<QWidget *>(dialog->txtMatter()));
            press(Qt::Key_A, Qt::ControlModifier);
            typeText(c.typed);
            SaveScreenshot(dialog, c.answers.size() == 1 ? QStringLiteral("matter-rename.png")
                                                         : QStringLiteral("matter-merge.png"));
            press(Qt::Key_Return);
        }});
        clickOutgoMatter(p, QStringLiteral("本"));
        QTRY_VERIFY(editor.done());
        QTRY_VERIFY(!QApplication::activeModalWidget());

        QCOMPARE(kept(p).first, ToCp932(c.catalog));
        QCOMPARE(kept(p).second, QStringList({c.typed, QStringLiteral("食費"), c.typed}));
        QCOMPARE(p.window().statusPanel(1)->text(), c.status);
        SaveScreenshot(&p.window(),
                       QStringLiteral("matter-after-") + (c.answers.size() == 1 ? "rename.png" : "merge.png"));

        // Without a window manager nothing hands the keyboard back to the main window.
        p.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p.window()));
        press(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!p.ui.texts.isEmpty());
        QCOMPARE(p.ui.texts.last(), QStringLiteral("元に戻しますか？"));
        QVERIFY(kept(p) == before);
        QVERIFY(p.ui.answers.empty());
    }
}

PURSLET_UI_TEST(MatterRenameTest)
