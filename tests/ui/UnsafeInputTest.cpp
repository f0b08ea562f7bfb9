#include "UnsafeInputTest.h"
#include "DesktopBooks.h"
#include "TempHome.h"
#include "UiDriving.h"
#include "UiTests.h"

#include "files/BookFormat.h"
#include "files/EncryptedBook.h"
#include "data/Grid.h"
#include "platform/Codepage.h"
#include "state/App.h"
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
#include <QRadioButton>
#include <QTableView>
#include <QTimer>

#include <deque>
#include <functional>

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

ModalAnswers::Step answer(const QString &password, const QString &repeated)
{
    return [=](QWidget *) {
        typeText(password);
        press(Qt::Key_Tab);
        typeText(repeated);
        press(Qt::Key_Return);
    };
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
        // The input method's wave dash and code page 932's own are one character.
        ModalAnswers prompts({answer(QStringLiteral("secret"), QStringLiteral("secrat")),
                               answer(QStringLiteral("鍵😀"), QStringLiteral("鍵😀")),
                               answer(QStringLiteral("ﾋﾐﾂ〜"), QStringLiteral("ﾋﾐﾂ～"))});
        pressSave(s.window);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(prompts.done());
        QCOMPARE(prompts.answered(), 3);
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
    for (const auto &step : {KeyStep(Qt::Key_Escape), answer(QString(), QString())}) {
        home.write(QStringLiteral("book.psl"), QByteArray());
        ModalAnswers prompts({step});
        pressSave(s.window);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(prompts.answered(), 1);
        QCOMPARE(home.read(QStringLiteral("book.psl")), QByteArray("\"\"\r\n"));
    }
    QVERIFY(ui.shown.empty());
}

void UnsafeInputTest::entryRefusesCharactersWithoutACode()
{
    TempHome home;
    RecordingQtUi ui;
    DesktopSession s(ui);
    startActive(s, QString());
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

void UnsafeInputTest::typedVariantsAreKeptAsTheFileGivesThemBack()
{
    TempHome home;
    RecordingQtUi ui;
    DesktopSession s(ui);
    startActive(s, QString());
    auto *input = s.window.findChild<InputWindow *>();
    QVERIFY(input);

    // What an input method gives, and what code page 932 gives back.
    const std::pair<char16_t, char16_t> variants[] = {{0x301C, 0xFF5E}, {0x2016, 0x2225}, {0x2212, 0xFF0D},
                                                      {0x00A2, 0xFFE0}, {0x00A3, 0xFFE1}, {0x00AC, 0xFFE2},
                                                      {0x2014, 0x2015}};
    for (const auto &[typed, kept] : variants) {
        const QString matter = QStringLiteral("q%1z").arg(QChar(typed));
        const QString shown = QStringLiteral("q%1z").arg(QChar(kept));
        // Twice, the list refilled from the catalog file in between.
        for (int i = 0; i < 2; ++i) {
            QTest::mouseClick(input->optCashier(1), Qt::LeftButton);
            QTest::mouseClick(input->optCashier(0), Qt::LeftButton);
            QTest::mouseClick(input->cmbMatter()->lineEdit(), Qt::LeftButton);
            typeText(matter);
            QCOMPARE(input->cmbMatter()->lineEdit()->text(), shown);
            press(Qt::Key_Tab);
            typeText(QStringLiteral("100"));
            press(Qt::Key_Tab);
            typeText(QStringLiteral("m") + QChar(typed));
            QCOMPARE(input->txtMemo()->text(), QStringLiteral("m") + QChar(kept));
            if (typed == 0x2212)
                SaveScreenshot(input, QStringLiteral("entry-minus-sign.png"));
            QTest::mouseClick(input->cmdEnter(), Qt::LeftButton);
        }
        const int last = s.app.book.recordCount();
        QCOMPARE(s.app.book.msfgCashier.text(last, 1), shown);
        QCOMPARE(s.app.book.msfgCashier.text(last, 5), QStringLiteral("m") + QChar(kept));
        // One matter in the catalog and one summary row holding both records.
        QCOMPARE(s.app.entry.cmbMatter.items().count(shown), 1);
        const Grid &income = s.app.book.msfgIncome;
        QStringList rows;
        for (int r = 1; r < income.rows(); ++r)
            if (income.text(r, 0) == shown || income.text(r, 0) == matter)
                rows << income.text(r, 0) + QLatin1Char(' ') + income.text(r, 2);
        QCOMPARE(rows, QStringList{shown + QStringLiteral(" 200")});
    }
    QVERIFY(ui.shown.empty());
}

void UnsafeInputTest::passwordOpensAsTheFileGivesItBack()
{
    // A book locked with "a－b" (a, 0x817C, b), holding one record.
    TempHome home;
    home.write(QStringLiteral("book.psl"), QByteArrayLiteral("\"8061017C8062\"\r\n"
                                                             "\"8032803080328036802F80308031802F80308031\",\"\","
                                                             "\"8031\",\"\",\"\"\r\n"));
    const struct
    {
        QString typed;
        bool opens;
    } cases[] = {
        {QStringLiteral("a−b"), true}, // U+2212, as an input method gives it
        {QStringLiteral("a－b"), true},
        {QStringLiteral("a-b"), false},
    };
    for (const auto &k : cases) {
        RecordingQtUi ui;
        DesktopSession s(ui);
        ModalAnswers prompt({TypedStep(k.typed)});
        s.start(home.file(QStringLiteral("book.psl")), false);
        QVERIFY(prompt.done());
        QCOMPARE(prompt.titles, QStringList{QStringLiteral("パスワードの入力")});
        QVERIFY2((s.app.book.recordCount() == 1) == k.opens, qPrintable(k.typed));
        QVERIFY2(ui.shown.empty() == k.opens, qPrintable(k.typed));
    }
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
        {
            ModalAnswers prompts({answer(QString(), QString()), [](QWidget *prompt) {
                                      SaveScreenshot(prompt, QStringLiteral("encrypted-password.png"));
                                      press(Qt::Key_Escape);
                                  }});
            pressSave(s.window);
            if (QTest::currentTestFailed())
                return;
            QVERIFY(prompts.done());
        }
        QCOMPARE(int(ui.shown.size()), 1);
        QCOMPARE(ui.shown[0].text, QStringLiteral("暗号化された出納帳にはパスワードが必要です。パスワードを入力してください。"));
        QVERIFY(!home.exists(QStringLiteral("book.pslx")));
        QVERIFY(s.app.doc.modified);

        ModalAnswers again({answer(QStringLiteral("鍵pw"), QStringLiteral("鍵pw"))});
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
        ModalAnswers prompt({[&typed](QWidget *window) {
            auto *dialog = qobject_cast<QInputDialog *>(window);
            QVERIFY(dialog);
            QCOMPARE(dialog->textEchoMode(), QLineEdit::Password);
            typeText(typed);
            press(Qt::Key_Return);
        }});
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
