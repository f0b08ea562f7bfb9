#pragma once

#include "platform/Ui.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace purslet {

class App;

namespace bench {

constexpr int kMatters = 100;

// Nothing is asked but a password; an error shown during a benchmark ends the run.
class NullUi final : public Ui
{
public:
    QString password; // the answer to every prompt

    MsgAnswer messageBox(const QString &text, const QString &title, MsgIcon, MsgButtons, MsgAnswer) override;
    QString inputBox(const QString &, const QString &, const QString &, bool) override { return password; }
    void showStatus(const QString &) override {}
    void endProgram() override;
};


// A program folder of its own with the catalogs, and the program's state on
// a book of `records` records.
struct BookInFolder
{
    explicit BookInFolder(int records);
    QTemporaryDir dir;
    NullUi ui;
    std::unique_ptr<App> app;
};

// Income.ini and Outgo.ini with kMatters matters each.
void WriteCatalogs(const QString &folder);

// Google Benchmark's main after the caller has made its application object.
int RunBenchmarks(int argc, char **argv);

// Resets the book and fills it with `records` records in date order: dates
// climbing over the years, every third record an income, memos of a few words.
void FillBook(App &app, int records);

} // namespace bench
} // namespace purslet
