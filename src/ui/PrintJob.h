#pragma once

#include <QString>

class QWidget;

namespace purslet {

class App;

// The Print submenu (printCashier, printIncome, printOutgo, printAll): the
// print dialog, then the tables as lines of fixed-pitch text in one job.
void RunPrintCommand(App &app, const QString &item, QWidget *parent);

} // namespace purslet
