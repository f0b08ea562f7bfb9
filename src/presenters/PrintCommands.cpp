#include "presenters/PrintCommands.h"

#include "platform/ErrorDialogs.h"
#include "printing/LinePrinter.h"
#include "printing/PrintLayout.h"
#include "state/MenuTable.h"

namespace purslet {

PrintCommands::PrintCommands(Ui &ui, const Book &book, LinePrinter &printer)
    : m_ui(ui), m_book(book), m_printer(printer)
{
}

bool PrintCommands::printCashier_Click()
{
    return print({&PrintCommands::PrintCashBook});
}

bool PrintCommands::printIncome_Click()
{
    return print({&PrintCommands::PrintIncomeSummary});
}

bool PrintCommands::printOutgo_Click()
{
    return print({&PrintCommands::PrintOutgoSummary});
}

bool PrintCommands::printAll_Click()
{
    return print({&PrintCommands::PrintCashBook, &PrintCommands::PrintIncomeSummary,
                  &PrintCommands::PrintOutgoSummary});
}

bool PrintCommands::run(MenuItem item)
{
    switch (item) {
    case MenuItem::printCashier:
        return printCashier_Click();
    case MenuItem::printIncome:
        return printIncome_Click();
    case MenuItem::printOutgo:
        return printOutgo_Click();
    case MenuItem::printAll:
        return printAll_Click();
    default:
        return false;
    }
}

void PrintCommands::setStatusTexts(const QString &sending, const QString &sent)
{
    m_sending = sending;
    m_sent = sent;
}

bool PrintCommands::print(std::initializer_list<Table> tables)
{
    // Without a printer or a started job there is nothing the later steps
    // could print into, so Yes ends the command as No does.
    bool chosen = false;
    if (!RunInlineStep(m_ui, [&] { chosen = m_printer.choose(); }) || !chosen)
        return false;

    ShowStatus(m_ui, m_sending);
    bool begun = false;
    RunInlineStep(m_ui, [&] {
        m_printer.begin();
        begun = true;
    });
    if (!begun) {
        ShowStatus(m_ui, QString());
        return false;
    }

    // A month's pages say which month they are.
    if (const QString heading = PeriodHeading(m_book); !heading.isEmpty())
        RunInlineStep(m_ui, [&] { m_printer.printLine(heading); });
    for (const Table table : tables) {
        if (!RunInlineStep(m_ui, [&] { (this->*table)(); })) {
            m_printer.abort();
            ShowStatus(m_ui, QString());
            return false;
        }
    }

    // The text says the job went out, so it waits for the end of the document.
    bool ended = false;
    RunInlineStep(m_ui, [&] {
        m_printer.end();
        ended = true;
    });
    ShowStatus(m_ui, ended ? m_sent : QString());
    return ended;
}

void PrintCommands::PrintCashBook()
{
    printTable(CashBookLines(m_book));
}

void PrintCommands::PrintIncomeSummary()
{
    printTable(IncomeSummaryLines(m_book));
}

void PrintCommands::PrintOutgoSummary()
{
    printTable(OutgoSummaryLines(m_book));
}

void PrintCommands::printTable(const QStringList &lines)
{
    // The opening empty lines go out in whatever font the job has so far;
    // the font is named only for the rows.
    qsizetype i = 0;
    for (; i < kTableOpeningLines && i < lines.size(); ++i)
        m_printer.printLine(lines.at(i));
    m_printer.setFontName(kPrintFontName);
    for (; i < lines.size(); ++i)
        m_printer.printLine(lines.at(i));
}

} // namespace purslet
