#include "DesktopKeysTest.h"

#include "ProgramUnderTest.h"
#include "UiTests.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

using namespace purslet;
using namespace purslet::test;

namespace {

// Counts the key presses that reach a widget.
class KeyCounter final : public QObject
{
public:
    explicit KeyCounter(QWidget *target, QKeyCombination key) : m_key(key) { target->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->keyCombination() == m_key)
            ++count;
        return false;
    }

private:
    QKeyCombination m_key;
};

} // namespace

void DesktopKeysTest::initTestCase()
{
    InitResources();
    InstallJapaneseFonts();
}

void DesktopKeysTest::clipboardKeysStayInTheMatterAndAmountBoxes()
{
    Program p;
    QVERIFY(p.active);
    QClipboard *clipboard = QApplication::clipboard();
    QLineEdit *memo = p.input->txtMemo();
    QTest::mouseClick(memo, Qt::LeftButton);
    typeText(QStringLiteral("手書きのメモ"));

    struct Box
    {
        QWidget *field;     // what is clicked and has the focus
        QLineEdit *edit;    // what holds the text
        QString pasted;     // the clipboard "1,200" in it
    };
    const Box boxes[] = {
        {p.input->cmbMatter(), p.input->cmbMatter()->lineEdit(), QStringLiteral("1,200")},
        {p.input->txtMoney(), p.input->txtMoney(), QStringLiteral("1200")},
    };
    for (const Box &box : boxes) {
        QTest::mouseClick(box.edit, Qt::LeftButton);
        QVERIFY(box.field == focus() || box.edit == focus());
        clipboard->setText(QStringLiteral("1,200"));
        press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box.edit->text(), box.pasted);

        // Copy, and both cut keys, in the box.
        clipboard->setText(QStringLiteral("前"));
        press(Qt::Key_A, Qt::ControlModifier);
        press(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), box.pasted);
        for (Qt::Key cut : {Qt::Key_T, Qt::Key_X}) {
            clipboard->setText(QStringLiteral("前"));
            if (box.edit->text().isEmpty())
                typeText(QStringLiteral("34"));
            press(Qt::Key_A, Qt::ControlModifier);
            const QString before = box.edit->text();
            press(cut, Qt::ControlModifier);
            QCOMPARE(box.edit->text(), QString());
            QCOMPARE(clipboard->text(), before);
        }
        QCOMPARE(memo->text(), QStringLiteral("手書きのメモ"));
    }
    QVERIFY2(p.ui.texts.isEmpty(), qPrintable(p.ui.texts.join(QLatin1Char('|'))));

    // Ctrl+Z is still the book's Undo there.
    typeText(QStringLiteral("500"));
    press(Qt::Key_Return);
    QCOMPARE(p.app().book.recordCount(), 1);
    QTest::mouseClick(p.input->cmbMatter()->lineEdit(), Qt::LeftButton);
    p.ui.answers = {MsgAnswer::Yes};
    press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(p.ui.texts.value(0), QStringLiteral("元に戻しますか？"));
    QCOMPARE(p.app().book.recordCount(), 0);
}

void DesktopKeysTest::disabledItemKeysGoOnToTheField()
{
    Program p;
    QVERIFY(p.active);
    QApplication::clipboard()->clear();
    QLineEdit *memo = p.input->txtMemo();
    QTest::mouseClick(memo, Qt::LeftButton);
    typeText(QStringLiteral("abc"));

    struct Case
    {
        MenuItem item;
        Qt::Key key;
    };
    const Case cases[] = {{MenuItem::editDelete, Qt::Key_D}, {MenuItem::editMatter, Qt::Key_M},
                          {MenuItem::editPaste, Qt::Key_V}, {MenuItem::editCopy, Qt::Key_C},
                          {MenuItem::editCut, Qt::Key_T}, {MenuItem::editUndo, Qt::Key_Z}};
    QVERIFY(cases[std::size(cases) - 1].item == MenuItem::editUndo); // last: the memo's own undo takes the typing
    for (const Case &c : cases) {
        QVERIFY(!p.app().menu.enabled(c.item));
        KeyCounter reached(memo, QKeyCombination(Qt::ControlModifier, c.key));
        press(c.key, Qt::ControlModifier);
        QCOMPARE(reached.count, 1);
        if (c.item != MenuItem::editUndo)
            QCOMPARE(memo->text(), QStringLiteral("abc"));
    }
    QVERIFY2(p.ui.texts.isEmpty(), qPrintable(p.ui.texts.join(QLatin1Char('|'))));

    // The toolbar still explains a disabled command.
    clickToolButton(&p.window(), p.window().findChild<QAction *>(QStringLiteral("tool_delete")));
    QCOMPARE(p.ui.titles, QStringList{QStringLiteral("削除エラー")});
}

void DesktopKeysTest::pasteRightAfterCut()
{
    Program p;
    QVERIFY(p.active);
    QApplication::clipboard()->clear();
    QLineEdit *memo = p.input->txtMemo();
    QTest::mouseClick(memo, Qt::LeftButton);
    QVERIFY(!p.app().menu.enabled(MenuItem::editPaste));
    typeText(QStringLiteral("abcdef"));
    press(Qt::Key_Left);
    press(Qt::Key_Left);
    press(Qt::Key_Left, Qt::ShiftModifier);
    press(Qt::Key_Left, Qt::ShiftModifier);
    press(Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(memo->text(), QStringLiteral("abef"));
    QVERIFY(!p.app().menu.enabled(MenuItem::editCut));
    QVERIFY(p.app().menu.enabled(MenuItem::editPaste));
    press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(memo->text(), QStringLiteral("cd"));
    QVERIFY2(p.ui.texts.isEmpty(), qPrintable(p.ui.texts.join(QLatin1Char('|'))));
}

PURSLET_UI_TEST(DesktopKeysTest)
