#include "WindowManagerTest.h"

#include "ProgramUnderTest.h"
#include "UiTests.h"
#include "ui/MatterEditorDialog.h"

#include <QDeadlineTimer>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QWidget>

#if PURSLET_WITH_XKB
#include <qguiapplication_platform.h>
// Xlib last: its macros clash with Qt's names.
#include <X11/Xlib.h>
#endif

using namespace purslet;
using namespace purslet::test;

namespace {

// openbox on the test's display for as long as the object lives.
class WindowManager
{
public:
    WindowManager()
    {
        m_process.setProgram(QStringLiteral("openbox"));
        m_process.setArguments({QStringLiteral("--sm-disable")});
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start();
        if (!m_process.waitForStarted(5000)) {
            m_problem = m_process.errorString();
            return;
        }
        // It manages the screen once it owns the window manager selection.
        const QDeadlineTimer deadline(10000);
        while (!managing() && !deadline.hasExpired()) {
            if (m_process.waitForFinished(50)) {
                m_problem = QString::fromLocal8Bit(m_process.readAll()).trimmed();
                return;
            }
        }
        if (!managing()) {
            m_problem = QStringLiteral("it did not take the screen in 10 s");
            return;
        }
        // A window mapped while openbox still scans the screen can stay
        // unframed: wait until a probe window of our own gets its frame.
        for (int attempt = 0; attempt < 5; ++attempt) {
            QWidget probe;
            probe.resize(100, 50);
            probe.show();
            if (QTest::qWaitFor([&] { return probe.geometry().top() - probe.frameGeometry().top() >= 10; }, 2000))
                return;
        }
        m_problem = QStringLiteral("it framed no window in 10 s");
    }
    ~WindowManager()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
        m_process.waitForFinished(1000);
    }

    // Empty when openbox runs.
    QString problem() const { return m_problem; }

private:
    static bool managing()
    {
#if PURSLET_WITH_XKB
        auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        Display *display = x11 ? x11->display() : nullptr;
        if (!display)
            return false;
        const QByteArray name = "WM_S" + QByteArray::number(DefaultScreen(display));
        return XGetSelectionOwner(display, XInternAtom(display, name.constData(), False)) != None;
#else
        return true;
#endif
    }

    QProcess m_process;
    QString m_problem;
};

} // namespace

void WindowManagerTest::initTestCase()
{
    InitResources();
    InstallJapaneseFonts();
}

void WindowManagerTest::matterEditorReopensWhereItWasClosed()
{
    WindowManager wm;
    if (!wm.problem().isEmpty())
        QSKIP(qPrintable(QStringLiteral("openbox cannot start: ") + wm.problem()));
    Program p;
    MatterEditorPresenter &editor = p.session->presenters.matterEditor;
    QPoint closedAt;
    for (int opening = 0; opening < 3; ++opening) {
        editor.load(QStringLiteral("食費"), QStringLiteral("30,000"));
        MatterEditorDialog d(editor, p.app(), &p.window());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        // The frame openbox puts around it: title bar and borders.
        // Now and then openbox under Xvfb never frames a dialog mapped right
        // after the main window; then there is no frame to measure against.
        if (!QTest::qWaitFor([&d] { return d.geometry().top() - d.frameGeometry().top() >= 10; }, 5000))
            QSKIP("openbox left the matter editor unframed");
        if (opening == 0) {
            // Where the user drags it.
            const QPoint target(d.frameGeometry().left() + 123, d.frameGeometry().top() - 57);
            d.move(target);
            QTRY_COMPARE(d.frameGeometry().topLeft(), target);
        } else {
            QTRY_COMPARE(d.frameGeometry().topLeft(), closedAt);
        }
        closedAt = d.frameGeometry().topLeft();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QCOMPARE(focus(), d.txtEstimate());
        press(Qt::Key_Escape);
        QVERIFY(!d.isVisible());
    }
}

PURSLET_UI_TEST(WindowManagerTest)
