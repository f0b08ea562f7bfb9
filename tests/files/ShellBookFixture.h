#pragma once

#include "ScriptedUi.h"
#include "TempHome.h"

#include "calc/BookReset.h"
#include "presenters/InputPresenter.h"
#include "state/App.h"

#include <gtest/gtest.h>

namespace purslet::test {

// A program folder, a scripted Ui and an empty book, with a way to record
// entries as the entry window does.
class ShellBookFixture : public ::testing::Test
{
protected:
    ShellBookFixture() : app(ui, home.path()), input(app) { ResetBook(app); }

    void enter(const QString &date, const QString &amount, bool income = true, const QString &memo = QString())
    {
        input.setDate(date);
        input.setIncome(income);
        input.setMatter(QString(), 0);
        input.setMoneyText(amount);
        input.txtMoney_Change();
        input.setMemo(memo, int(memo.size()));
        input.cmdEnter_Click();
    }

    QStringList dates() const
    {
        QStringList d;
        for (int r = 1; r <= app.book.recordCount(); ++r)
            d << app.book.msfgCashier.text(r, 0);
        return d;
    }

    QString saveCaption() const { return app.menu.caption(MenuItem::fileSave); }

    TempHome home;
    ScriptedUi ui;
    App app;
    InputPresenter input;
};

} // namespace purslet::test
