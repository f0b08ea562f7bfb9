#include "PrintCheck.h"

#include "TempHome.h"

#include <QDate>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>

namespace purslet::test {

namespace {

QString amount(int yen)
{
    return QLocale(QLocale::C).toString(yen);
}

bool runTool(const QString &tool, const QStringList &arguments, QByteArray *out, QString *error)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        if (error)
            *error = tool + QStringLiteral(": ") + process.errorString() + QLatin1Char(' ')
                     + QString::fromLocal8Bit(process.readAllStandardError());
        return false;
    }
    *out = process.readAllStandardOutput();
    return true;
}

} // namespace

void WriteBookFiles(const TempHome &home, const QString &name, int records)
{
    home.writeText(QStringLiteral("Income.ini"),
                   QStringLiteral("[0]\nMatter=お小遣い\nEstimate=30,000\n[1]\nMatter=アルバイト\nEstimate=10,000\n"));
    home.writeText(QStringLiteral("Outgo.ini"),
                   QStringLiteral("[0]\nMatter=食費\nEstimate=20,000\n[1]\nMatter=交通費\nEstimate=5,000\n"));
    const QStringList incomes = {QStringLiteral("お小遣い"), QStringLiteral("アルバイト")};
    const QStringList outgoes = {QStringLiteral("食費"), QStringLiteral("交通費"),
                                 QStringLiteral("あいうえおかきくけこさ")};
    QString text;
    text.reserve(records * 48);
    const QDate first(2000, 1, 1);
    for (int i = 0; i < records; ++i) {
        const bool income = i % 3 == 0;
        const QString date = first.addDays(i / 3).toString(QStringLiteral("yyyy/MM/dd"));
        const QString matter = income ? incomes[i % 2] : outgoes[i % 3];
        const QString yen = amount(income ? 1000 + i % 7 * 100 : 100 + i % 13 * 10);
        const QString memo = i % 5 == 0 ? QStringLiteral("メモ%1").arg(i) : QString();
        text += QStringLiteral("\"%1\",\"%2\",\"%3\",\"%4\",\"%5\"\n")
                    .arg(date, matter, income ? yen : QString(), income ? QString() : yen, memo);
    }
    home.writeText(name, text);
}

double PdfPitch(const QString &pdf)
{
    QByteArray xhtml;
    if (!runTool(QStringLiteral("pdftotext"),
                 {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                  QStringLiteral("1"), pdf, QStringLiteral("-")},
                 &xhtml, nullptr))
        return 0;
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\"[^>]*>記入日</word>"));
    const QRegularExpressionMatch match = word.match(QString::fromUtf8(xhtml));
    return match.hasMatch() ? (match.captured(2).toDouble() - match.captured(1).toDouble()) / 6 : 0;
}

QStringList PdfPages(const QString &pdf, double pitch, QString *error)
{
    QByteArray text;
    // Poppler's physical layout on a fixed grid: one column per half-width
    // character, so a bar's column shows where it stands on paper.
    if (!runTool(QStringLiteral("pdftotext"),
                 {QStringLiteral("-layout"), QStringLiteral("-fixed"), QString::number(pitch), pdf, QStringLiteral("-")},
                 &text, error))
        return {};
    QStringList pages = QString::fromUtf8(text).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast(); // after the last page break
    return pages;
}

QString PdfTool(const QString &tool, const QString &pdf)
{
    QByteArray out;
    return runTool(tool, {pdf}, &out, nullptr) ? QString::fromUtf8(out) : QString();
}

int PdfPageCount(const QString &pdf)
{
    for (const QString &line : PdfTool(QStringLiteral("pdfinfo"), pdf).split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

QStringList PrintedLines(const QStringList &pages)
{
    QStringList lines;
    for (const QString &page : pages) {
        QStringList pageLines = page.split(QLatin1Char('\n'));
        // Poppler ends a page with a line break of its own.
        if (!pageLines.isEmpty() && pageLines.last().isEmpty())
            pageLines.removeLast();
        lines += pageLines;
    }
    qsizetype margin = -1;
    for (const QString &line : lines) {
        const qsizetype start = line.indexOf(QRegularExpression(QStringLiteral("\\S")));
        if (start >= 0 && (margin < 0 || start < margin))
            margin = start;
    }
    for (QString &line : lines) {
        line = line.mid(qMax<qsizetype>(margin, 0));
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
    }
    return lines;
}

QList<int> BarColumns(const QString &line)
{
    QList<int> columns;
    int column = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (i == 0 || line[i - 1] == QLatin1Char(' '))
            column = int(i); // a word starts where it stands on the page
        if (c == QLatin1Char('|'))
            columns << column;
        const bool wide = c.unicode() >= 0x1100 && !(c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F);
        column += wide ? 2 : 1;
    }
    return columns;
}

QString Squeezed(const QString &line)
{
    QString out = line;
    out.remove(QLatin1Char(' '));
    return out;
}

} // namespace purslet::test
