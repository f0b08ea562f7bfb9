#include "ModalWindowsTest.h"

#include "TempHome.h"
#include "UiDriving.h"
#include "UiTests.h"
#include "ui/DesktopMain.h"
#include "ui/HelpBrowser.h"

#include <QApplication>
#include <QTextBrowser>

using namespace purslet;

void ModalWindowsTest::everyWindowIsRegisteredAndAMissingOneIsReported()
{
    test::TempHome home;
    test::ScriptedQtUi ui;
    DesktopSession s(ui);
    for (int i = 0; i < kModalWindowCount; ++i)
        QVERIFY2(ui.hasModal(ModalWindow(i)), qPrintable(ModalWindowName(ModalWindow(i))));

    // A Ui where nothing registered the window: a warning, not silence.
    test::ScriptedQtUi bare;
    QVERIFY(!bare.QtUi::showModal(ModalWindow::frmChart));
    QCOMPARE(bare.texts, QStringList{QStringLiteral("ウインドウ frmChart を表示できません。")});
}

void ModalWindowsTest::helpWithoutABrowserShowsThePageOrSaysWhy()
{
    test::TempHome home;
    test::ScriptedQtUi ui;
    QStringList launched;
    ui.setBrowserLauncher([&](const QUrl &url) {
        launched << url.toString();
        return false;
    });
    DesktopSession s(ui);
    s.start(QString(), false);
    s.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));

    // F1: the topic page in a window of the program's own.
    test::press(Qt::Key_F1);
    QCOMPARE(launched.size(), 1);
    HelpBrowser *help = nullptr;
    QTRY_VERIFY((help = s.window.findChild<HelpBrowser *>()) && help->isVisible());
    QCOMPARE(help->browser()->source().fileName(), QStringLiteral("topic.html"));
    QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("記入")));
    test::SaveScreenshot(help, QStringLiteral("help-window.png"));
    // A link to the other page opens it there, by the keyboard.
    help->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(help));
    help->browser()->setFocus();
    QTest::keyClick(help->browser(), Qt::Key_Tab);
    QTest::keyClick(help->browser(), Qt::Key_Return);
    QTRY_COMPARE(help->browser()->source().fileName(), QStringLiteral("index.html"));
    help->close();
    QTRY_VERIFY(!s.window.findChild<HelpBrowser *>());

    // The support page is on the web: the program says why nothing opened.
    s.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    test::press(Qt::Key_H, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_S);
    QCOMPARE(launched.size(), 2);
    QCOMPARE(ui.titles.value(0), QStringLiteral("ヘルプエラー"));
    QVERIFY(ui.texts.value(0).startsWith(QStringLiteral("ブラウザを開けません。")));
}

PURSLET_UI_TEST(ModalWindowsTest)
