#include "ModalWindowsTest.h"

#include "TempHome.h"
#include "UiDriving.h"
#include "UiTests.h"
#include "ui/DesktopMain.h"

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

PURSLET_UI_TEST(ModalWindowsTest)
