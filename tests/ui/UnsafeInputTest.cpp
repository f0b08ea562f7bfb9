#include "UnsafeInputTest.h"
#include "TempHome.h"
#include "UiTests.h"

#include "files/BookFormat.h"
#include "files/EncryptedBook.h"
#include "platform/Codepage.h"
#include "ui/BookWindow.h"
#include "ui/DesktopMain.h"
#include "ui/InputWindow.h"
#include "ui/NewPasswordDialog.h"
#include "ui/QtUi.h"

#include <QApplication>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <deque>
#include <functional>

namespace purslet {
class InputPresenter;
namespace test {
// From UiDriving.h, which whole would bring a second typeText beside the one here.
void SaveScreenshot(QWidget *widget, const QString &name);
void RecordDirectly(InputPresenter &input, const QString &date, bool income, const QString &matter,
                    const QString &money, const QString &memo);
} // namespace test
} // namespace purslet

using namespace purslet;
using namespace purslet::test;

namespace {

// The real prompts; message boxes are recorded and answered OK.
class RecordingQtUi final : public QtUi
{
public:
    struct Shown
    {
        QString text, title;
        MsgIcon icon;
    };
    std::vector<Shown> shown;

    MsgAnswer messageBox(const QString &text, const QString &title, MsgIcon icon, MsgButtons,
                         MsgAnswer defaultAnswer) override
    {
        shown.push_back({text, title, icon});
        return defaultAnswer;
    }
    void endProgram() override {}
};

// Key events carrying text: a surrogate pair travels as one character.
void typeText(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() ? 2 : 1;
        const QString one = text.mid(i, length);
        QTest::sendKeyEvent(QTest::Press, QApplication::focusWidget(), Qt::Key_unknown, one, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, QApplication::focusWidget(), Qt::Key_unknown, one, Qt::NoModifier);
        i += length - 1;
    }
}

// Answers each password prompt that opens with the next script step, typed
// into whatever has the focus, as a person would.
class PromptAnswers
{
public:
    explicit PromptAnswers(std::deque<std::function<void()>> steps) : m_steps(std::move(steps))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *dialog = qobject_cast<NewPasswordDialog *>(QApplication::activeModalWidget());
            // Typed only once the prompt has the keyboard, as a person waits for it.
            if (!dialog || !dialog->isAncestorOf(QApplication::focusWidget()) || dialog->property("answered").toBool()
                || m_steps.empty())
                return;
            dialog->setProperty("answered", true);
            ++m_prompts;
            const auto step = std::move(m_steps.front());
            m_steps.pop_front();
            step();
        });
        m_timer.start();
    }
    int prompts() const { return m_prompts; }
    bool done() const { return m_steps.empty(); }

private:
    std::deque<std::function<void()>> m_steps;
    QTimer m_timer;
    int m_prompts = 0;
};

std::function<void()> answer(const QString &password, const QString &repeated)
{
    return [=] {
        typeText(password);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        typeText(repeated);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    };
}

std::function<void()> cancel()
{
    return [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); };
}

QString storedPassword(const TempHome &home)
{
    return ParseBook(home.read(QStringLiteral("book.psl")), BookKind::Own).password;
}

// Ctrl+S with the cash book in hand, as after working in it.
void pressSave(MainWindow &window)
{
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.findChild<BookWindow *>()->msfgCashier()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
}

} // namespace

void UnsafeInputTest::initTestCase()
{
    InitResources();
    InstallJapaneseFonts();
}

void UnsafeInputTest::savePasswordIsTypedTwiceInCodePage932()
{
    TempHome home;
    RecordingQtUi ui;
    DesktopSession s(ui);
    // A new name: the book is empty and Save writes it there.
    s.start(home.file(QStringLiteral("book.psl")), false);
    s.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    ui.shown.clear();

    {
        // A typo in the repetition, then a character the code page lacks:
        // each refused with the prompt back; then the password twice alike.
        PromptAnswers prompts({answer(QStringLiteral("secret"), QStringLiteral("secrat")),
                               answer(QStringLiteral("鍵😀"), QStringLiteral("鍵😀")),
                               answer(QStringLiteral("ﾋﾐﾂ〜"), QStringLiteral("ﾋﾐﾂ〜"))});
        pressSave(s.window);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(prompts.done());
        QCOMPARE(prompts.prompts(), 3);
    }
    QCOMPARE(int(ui.shown.size()), 2);
    for (const auto &m : ui.shown) {
        QCOMPARE(m.icon, MsgIcon::Critical);
        QVERIFY(m.title.endsWith(QStringLiteral("エラー")));
    }
    QVERIFY(ui.shown[0].text.contains(QStringLiteral("一致しません")));
    QVERIFY(ui.shown[1].text.contains(QStringLiteral("😀")));
    // The wave dash of the input method is stored as code page 932's own.
    QCOMPARE(storedPassword(home), QStringLiteral("ﾋﾐﾂ～"));

    // Cancel, or nothing typed, saves without a password.
    ui.shown.clear();
    for (const auto &step : {cancel(), answer(QString(), QString())}) {
        home.write(QStringLiteral("book.psl"), QByteArray());
        PromptAnswers prompts({step});
        pressSave(s.window);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(prompts.prompts(), 1);
        QCOMPARE(home.read(QStringLiteral("book.psl")), QByteArray("\"\"\r\n"));
    }
    QVERIFY(ui.shown.empty());
}

void UnsafeInputTest::entryRefusesCharactersWithoutACode()
{
    TempHome home;
    RecordingQtUi ui;
    DesktopSession s(ui);
    s.start(QString(), false);
    s.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    auto *input = s.window.findChild<InputWindow *>();
    QVERIFY(input);

    input->cmbMatter()->lineEdit()->setFocus();
    typeText(QStringLiteral("本"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), input->txtMoney());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("500"));
    input->txtMemo()->setFocus();
    typeText(QStringLiteral("ゲーム🎮"));
    QTest::mouseClick(input->cmdEnter(), Qt::LeftButton);

    QCOMPARE(int(ui.shown.size()), 1);
    QCOMPARE(ui.shown[0].icon, MsgIcon::Critical);
    QCOMPARE(ui.shown[0].title, QStringLiteral("記入エラー"));
    QVERIFY(ui.shown[0].text.contains(QStringLiteral("「🎮」(U+1F3AE)")));
    QCOMPARE(s.app.book.recordCount(), 0);
    QVERIFY(!s.app.doc.modified);
    // What was typed stays to be mended.
    QCOMPARE(input->txtMemo()->text(), QStringLiteral("ゲーム🎮"));

    // Mended, the same record goes in.
    input->txtMemo()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QTest::mouseClick(input->cmdEnter(), Qt::LeftButton);
    QCOMPARE(s.app.book.recordCount(), 1);
    QCOMPARE(s.app.book.msfgCashier.text(1, 5), QStringLiteral("ゲーム"));
}

void UnsafeInputTest::encryptedBookNeedsAPasswordAndOpensOnlyWithIt()
{
    TempHome home;
    const QString memo = QStringLiteral("誰にも見せないメモ");
    {
        RecordingQtUi ui;
        DesktopSession s(ui);
        s.start(home.file(QStringLiteral("book.pslx")), false);
        RecordDirectly(s.presenters.input, QStringLiteral("2026/12/01"), true, QString(), QStringLiteral("500"), memo);
        ui.shown.clear();
        // Nothing typed is refused with the prompt back; Cancel then writes nothing.
        PromptAnswers prompts({answer(QString(), QString()), [] {
                                   SaveScreenshot(QApplication::activeModalWidget(), QStringLiteral("encrypted-password.png"));
                                   cancel()();
                               }});
        pressSave(s.window);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(prompts.done());
        QCOMPARE(int(ui.shown.size()), 1);
        QCOMPARE(ui.shown[0].text, QStringLiteral("暗号化された出納帳にはパスワードが必要です。パスワードを入力してください。"));
        QVERIFY(!home.exists(QStringLiteral("book.pslx")));
        QVERIFY(s.app.doc.modified);

        PromptAnswers again({answer(QStringLiteral("鍵pw"), QStringLiteral("鍵pw"))});
        pressSave(s.window);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(again.done());
        const QByteArray bytes = home.read(QStringLiteral("book.pslx"));
        QVERIFY(IsEncryptedBook(bytes));
        QVERIFY(!bytes.contains(ToCp932(memo)));
        QVERIFY(!s.app.doc.modified);
    }

    // Opened from the command line: the password typed into the masked prompt.
    for (const QString &typed : {QStringLiteral("鍵PW"), QStringLiteral("鍵pw")}) {
        RecordingQtUi ui;
        DesktopSession s(ui);
        QTimer typer;
        typer.setInterval(10);
        QObject::connect(&typer, &QTimer::timeout, [&] {
            auto *prompt = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
            if (!prompt || !prompt->isAncestorOf(QApplication::focusWidget()) || prompt->property("answered").toBool())
                return;
            prompt->setProperty("answered", true);
            QCOMPARE(prompt->textEchoMode(), QLineEdit::Password);
            typeText(typed);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        typer.start();
        s.start(home.file(QStringLiteral("book.pslx")), false);
        if (typed == QStringLiteral("鍵PW")) {
            QCOMPARE(int(ui.shown.size()), 1);
            QCOMPARE(ui.shown[0].text, QStringLiteral("パスワードが違うためファイルが開けません。"));
            QCOMPARE(s.app.book.recordCount(), 0);
        } else {
            QVERIFY(ui.shown.empty());
            QCOMPARE(s.app.book.recordCount(), 1);
            QCOMPARE(s.app.book.msfgCashier.text(1, 5), memo);
            QVERIFY(s.app.doc.key.held());
        }
    }
}

PURSLET_UI_TEST(UnsafeInputTest)
