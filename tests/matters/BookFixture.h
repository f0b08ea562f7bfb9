#pragma once

#include "ScriptedUi.h"
#include "TempHome.h"

#include "calc/BookReset.h"
#include "calc/Cashier.h"
#include "calc/MatterSummary.h"
#include "state/App.h"

#include <gtest/gtest.h>

namespace purslet::test {

// An application on a fresh program folder, with helpers to write catalogs
// and to build a cash book record by record.
class BookFixture : public ::testing::Test
{
protected:
    TempHome home;
    ScriptedUi ui;
    App app{ui, home.path()};

    // Entries as "name" or "name=estimate" (estimate key left out when absent).
    void writeCatalog(const QString &baseName, const QStringList &entries)
    {
        QString text;
        for (int i = 0; i < entries.size(); ++i) {
            const QStringList parts = entries[i].split(QLatin1Char('='));
            text += QStringLiteral("[%1]\nMatter=%2\n").arg(i).arg(parts[0]);
            if (parts.size() > 1)
                text += QStringLiteral("Estimate=%1\n").arg(parts[1]);
        }
        home.writeText(baseName + QStringLiteral(".ini"), text);
    }

    void addRecord(const QString &matter, const QString &income, const QString &outgo)
    {
        Grid &g = app.book.msfgCashier;
        g.insertRow(g.rows() - 3, {QStringLiteral("2024/01/01"), matter, income, outgo, QString(), QString()});
    }

    // Records as {date, matter, income, outgo, memo}, after the ones there.
    void addRecords(const QList<QStringList> &records)
    {
        Grid &g = app.book.msfgCashier;
        for (const QStringList &r : records)
            g.insertRow(g.rows() - 3, {r[0], r[1], r[2], r[3], QString(), r.value(4)});
    }

    void recalc()
    {
        RecalcCashier(app.book, ui, app.book.recordCount());
        CalcMatterSummary(app.book, ui);
    }

    static QStringList rowOf(const Grid &g, int row) { return g.rowTexts(row); }
    static QStringList lastRow(const Grid &g) { return g.rowTexts(g.rows() - 1); }
    // Column 0 of rows 1 to rows - 4.
    static QStringList matterNames(const Grid &g)
    {
        QStringList names;
        for (int i = 1; i <= g.rows() - 4; ++i)
            names << g.text(i, 0);
        return names;
    }
};

} // namespace purslet::test
