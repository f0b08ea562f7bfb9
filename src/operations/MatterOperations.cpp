#include "operations/MatterOperations.h"

#include "calc/Catalogs.h"
#include "calc/MatterSummary.h"
#include "calc/Period.h"
#include "data/AmountFormat.h"
#include "data/Book.h"
#include "files/Backup.h"
#include "operations/BookOperations.h"
#include "platform/Codepage.h"
#include "platform/ErrorDialogs.h"
#include "platform/Ui.h"
#include "state/App.h"

#include <algorithm>
#include <vector>

namespace purslet {

namespace {

void refuse(Ui &ui, const QString &text)
{
    ui.messageBox(text, QStringLiteral("事柄名の変更エラー"), MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok);
}

// Why the name cannot be a matter, or the empty text when it can.
QString refusal(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("事柄名を入力してください。");
    if (name == kOtherMatter)
        return QStringLiteral("「その他」はどの事柄にも入らない記録の行のため、事柄名にできません。");
    // A line break would split the catalog entry in two.
    if (std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return QStringLiteral("事柄名に改行やタブなどの制御文字は使えません。");
    return Cp932Refusal(name);
}

// The cash book's rows of the kind's records holding the matter. A record is
// income when its income is not zero, as the summaries count it.
std::vector<int> recordsOf(const Book &book, const KindDescription &kind, const QString &matter)
{
    const Grid &cashier = book.msfgCashier;
    const bool income = kind.kind == MatterKind::Income;
    std::vector<int> rows;
    for (int r = 1; r <= book.recordCount(); ++r)
        if (cashier.text(r, 1) == matter && !CellToAmount(cashier.text(r, 2)).isZero() == income)
            rows.push_back(r);
    return rows;
}

} // namespace

RenameOutcome RenameMatter(App &app, MatterKind kind, const QString &from, const QString &to,
                           std::optional<Amount> estimate)
{
    Ui &ui = app.ui;
    const QString name = Cp932Form(to).trimmed();
    if (const QString why = refusal(name); !why.isEmpty()) {
        refuse(ui, why);
        return RenameOutcome::Refused;
    }
    if (name == from || from.isEmpty() || from == kOtherMatter)
        return RenameOutcome::Unchanged;

    const KindDescription &d = Describe(kind);
    std::vector<int> rows;
    if (!RunStep(ui, [&] { rows = recordsOf(app.book, d, from); }))
        return RenameOutcome::Failed;
    const qsizetype count = qsizetype(rows.size());
    const bool merge = CatalogHolds(app, kind, name);
    if (merge &&
        ui.messageBox(
            QStringLiteral("「%1」の記録 %2 件を「%3」にまとめますか？").arg(from, QString::number(count), name),
            QStringLiteral("事柄の統合"), MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No) != MsgAnswer::Yes)
        return RenameOutcome::Declined;

    if (!app.menu.checked(MenuItem::setupHighSpeedMode))
        TakeBackup(app, QStringLiteral("事柄名の変更"), kind);
    else
        DisableUndo(app); // an older backup would bring back the records without their catalog
    // The catalog first: when it cannot be written, the records stay as they are.
    try {
        if (merge)
            RemoveCatalogMatter(app, kind, from);
        else
            RenameCatalogMatter(app, kind, from, name, estimate ? FormatAmount(*estimate) : QString());
    } catch (const RuntimeError &e) {
        refuse(ui, e.description() + QStringLiteral("\r\n\r\n") + d.catalogFile() +
                       QStringLiteral("を書き換えられなかったため、事柄名は変更していません。"));
        return RenameOutcome::Failed;
    }
    {
        Grid::Bulk bulk(app.book.msfgCashier);
        for (int r : rows)
            app.book.msfgCashier.setText(r, 1, name);
    }

    FillMatterCombo(app);
    BuildPeriod(app.book, ui);
    CalcMatterSummary(app.book, ui);
    if (count > 0)
        app.setModified(true);
    app.notify(AppChange::Book);
    ShowStatus(ui, merge ? QStringLiteral("%1 件の記録を「%2」にまとめました").arg(QString::number(count), name)
                         : QStringLiteral("%1 件の記録の事柄名を変更しました").arg(count));
    return merge ? RenameOutcome::Merged : RenameOutcome::Renamed;
}

} // namespace purslet
