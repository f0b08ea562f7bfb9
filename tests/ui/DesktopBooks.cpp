#include "DesktopBooks.h"

#include "files/BookFormat.h"
#include "ui/DesktopMain.h"
#include "ui/InputWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace purslet::test {

void activate(DesktopSession &s)
{
    s.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
}

void startActive(DesktopSession &s, const QString &commandLine)
{
    s.start(commandLine, false);
    activate(s);
}

void record(DesktopSession &s, const char *amount)
{
    auto *input = s.window.findChild<InputWindow *>();
    QVERIFY(input);
    activate(s);
    QTest::mouseClick(input->txtMoney(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), input->txtMoney());
    QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(amount));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier);
}

QString lastText(const ScriptedQtUi &ui)
{
    return ui.texts.isEmpty() ? QString() : ui.texts.last();
}

int recordsIn(const QByteArray &bytes, BookKind kind)
{
    return int(ParseBook(bytes, kind).records.size());
}

QByteArray ownBook(int records, BookKind kind)
{
    std::vector<BookRecord> r;
    for (int i = 1; i <= records; ++i)
        r.push_back({QStringLiteral("2026/01/0%1").arg(i), QString(), QString::number(i), QString(), QString()});
    return SerializeBook(r, kind);
}

QByteArray brokenBook(BookKind kind)
{
    QByteArray bytes = ownBook(3, kind);
    bytes.replace("\"8032\"", "\"80Z2\""); // the second record's income
    return bytes;
}

} // namespace purslet::test
