#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>

namespace purslet {

struct Book;
enum class MenuItem;
class LinePrinter;
class Ui;

// The font every table prints in: a fixed-pitch Japanese font, so that the
// byte widths of the layout line the columns up.
inline const QString kPrintFontName = QStringLiteral("ＭＳ ゴシック");

// The Print submenu. A command shows the print dialog, then prints its table
// or tables into one job. Failures show the inline system error dialog: Yes
// goes on with the next table, No ends the command.
class PrintCommands final
{
public:
    PrintCommands(Ui &ui, const Book &book, LinePrinter &printer);

    // Each is true when the job really ended, that is, went to the printer.
    bool printCashier_Click();
    bool printIncome_Click();
    bool printOutgo_Click();
    bool printAll_Click();
    // The command of a Print item; false for any other item.
    bool run(MenuItem item);

    // The status texts while the job goes out and once it has: a job that
    // only makes a file says so instead of naming the printer.
    void setStatusTexts(const QString &sending, const QString &sent);

private:
    using Table = void (PrintCommands::*)();
    bool print(std::initializer_list<Table> tables);

    // Each prints one table into the current job.
    void PrintCashBook();
    void PrintIncomeSummary();
    void PrintOutgoSummary();
    void printTable(const QStringList &lines);

    Ui &m_ui;
    const Book &m_book;
    LinePrinter &m_printer;
    QString m_sending = QStringLiteral("印刷内容をプリンタに送信しています...");
    QString m_sent = QStringLiteral("印刷内容をプリンタに送信しました。");
};

} // namespace purslet
