#include "CorrectEntryTest.h"

#include "ProgramUnderTest.h"
#include "UiTests.h"

#include "ui/MainWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace purslet;
using namespace purslet::test;

namespace {

QStringList wholeBook(const Book &book)
{
    QStringList rows;
    for (int r = 1; r <= book.recordCount(); ++r)
        rows << book.msfgCashier.rowTexts(r).join(QLatin1Char('|'));
    return rows;
}

// The entry window's caption, button and fields.
QStringList entryWindow(Program &p)
{
    return {p.sub(ShellWindow::Input)->windowTitle(), p.input->cmdEnter()->text(), p.input->txtDate()->text(),
            p.input->cmbMatter()->currentText(), p.input->txtMoney()->text(), p.input->txtMemo()->text()};
}

} // namespace

void CorrectEntryTest::initTestCase()
{
    InitResources();
    InstallJapaneseFonts();
}

void CorrectEntryTest::aDoubleClickedRecordIsCorrectedWithEnter()
{
    Program p(SampleBook());
    QVERIFY(p.active);
    const Book &b = p.app().book;
    const QString today = p.input->txtDate()->text();
    QTableView *cashier = p.book->msfgCashier();
    const QStringList row2 = b.msfgCashier.rowTexts(2);

    // Straight from the entry window, whose sub-window is the active one.
    QTest::mouseDClick(cashier->viewport(), Qt::LeftButton, {}, cellCentre(cashier, 1));
    QCOMPARE(entryWindow(p), QStringList({"2行目の修正 - インプットウインドウ", "修正(&E)", row2[0], row2[1],
                                          QString(row2[3]).remove(QLatin1Char(',')), row2[5]}));
    QTRY_VERIFY(p.input->cmbMatter()->isAncestorOf(focus()) || focus() == p.input->cmbMatter());
    QCOMPARE(cashier->selectionModel()->selectedRows().value(0).row(), 1);
    SaveScreenshot(&p.window(), QStringLiteral("correct-change-mode.png"));

    typeText(QStringLiteral("外食"));
    QTest::mouseClick(p.input->txtMoney(), Qt::LeftButton);
    press(Qt::Key_A, Qt::ControlModifier);
    typeText(QStringLiteral("700"));
    press(Qt::Key_Return);
    QCOMPARE(b.msfgCashier.rowTexts(2).mid(0, 4), QStringList({row2[0], "外食", "", "700"}));
    QCOMPARE(p.window().menuAction(MenuItem::editUndo)->text(), QStringLiteral("元に戻す(&U) -修正"));
    // A new record again, on the date of before.
    QCOMPARE(entryWindow(p), QStringList({"インプットウインドウ", "記入(&E)", today, "", "", ""}));
}

void CorrectEntryTest::escapeOrAnotherRowGivesTheCorrectionUp()
{
    Program p(SampleBook());
    QVERIFY(p.active);
    const QStringList book = wholeBook(p.app().book);
    QTest::mouseClick(p.input->txtMemo(), Qt::LeftButton);
    typeText(QStringLiteral("書きかけ"));
    const QStringList halfTyped = entryWindow(p);

    QTableView *cashier = p.book->msfgCashier();
    clickCell(cashier, 0);
    press(Qt::Key_Return);
    QCOMPARE(p.input->cmdEnter()->text(), QStringLiteral("修正(&E)"));
    press(Qt::Key_Escape);
    QCOMPARE(entryWindow(p), halfTyped);

    clickCell(cashier, 2);
    press(Qt::Key_Return);
    QCOMPARE(p.input->cmdEnter()->text(), QStringLiteral("修正(&E)"));
    clickCell(cashier, 3);
    QCOMPARE(entryWindow(p), halfTyped);
    QCOMPARE(wholeBook(p.app().book), book);
}

PURSLET_UI_TEST(CorrectEntryTest)
