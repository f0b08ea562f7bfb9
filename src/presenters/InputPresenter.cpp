#include "presenters/InputPresenter.h"

#include "files/Backup.h"
#include "data/AmountFormat.h"
#include "data/Book.h"
#include "calc/Cashier.h"
#include "presenters/EditCommands.h"
#include "calc/Catalogs.h"
#include "calc/MatterSummary.h"
#include "platform/Codepage.h"
#include "platform/ErrorDialogs.h"
#include "platform/Hints.h"
#include "platform/Ui.h"
#include "state/App.h"

#include <QScopeGuard>

#include <algorithm>
#include <vector>

namespace purslet {

namespace {

bool dateLess(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

// Inserts the record where a stable sort by date would put a record added
// after all others, then keeps the layout: records, two empty rows, total.
void insertInDateOrder(Grid &grid, const QStringList &cells)
{
    const int n = grid.rows() - 4;
    const QString &date = cells.at(0);

    bool sorted = true;
    for (int r = 2; r <= n && sorted; ++r)
        sorted = !dateLess(grid.text(r, 0), grid.text(r - 1, 0));

    Grid::Bulk bulk(grid);
    if (sorted) {
        // Upper bound among equal dates: after the existing records of the day.
        int lo = 1, hi = n + 1;
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (dateLess(date, grid.text(mid, 0)))
                hi = mid;
            else
                lo = mid + 1;
        }
        grid.insertRow(lo, cells);
        return;
    }

    // A book read in its stored order: insert after the last record, take the
    // empty rows out, sort all records stably, put the empty rows back.
    grid.insertRow(n + 1, cells);
    grid.removeRow(n + 2);
    grid.removeRow(n + 2);
    const int count = n + 1;
    std::vector<const QString *> keys(static_cast<size_t>(count), nullptr);
    for (int i = 0; i < count; ++i)
        keys[size_t(i)] = &grid.text(i + 1, 0);
    std::vector<int> order(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        order[size_t(i)] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return dateLess(*keys[size_t(a)], *keys[size_t(b)]); });
    grid.reorderRows(1, order);
    grid.insertRow(grid.rows() - 1);
    grid.insertRow(grid.rows() - 1);
}

} // namespace

InputPresenter::InputPresenter(App &app) : m_app(app)
{
    m_listener = m_app.listen([this](AppChange change) {
        if (change == AppChange::Entry)
            changed();
    });
}

InputPresenter::~InputPresenter()
{
    m_app.unlisten(m_listener);
}

void InputPresenter::changed()
{
    if (onChanged)
        onChanged();
}

bool InputPresenter::income() const
{
    return m_app.entry.optIncome;
}

void InputPresenter::setDate(const QString &date)
{
    m_date = date;
    changed();
}

void InputPresenter::setIncome(bool income)
{
    m_app.entry.optIncome = income;
    changed();
}

void InputPresenter::setMatter(const QString &text, int caret, int selStart, int selLength)
{
    // As a file will give it back, so that the catalog and the summaries
    // meet one name for what looks the same.
    m_matter = Cp932Form(text);
    m_matterCaret = std::clamp(caret, 0, int(text.size()));
    if (selLength > 0 && selStart >= 0 && selStart + selLength <= text.size()) {
        m_matterSelStart = selStart;
        m_matterSelLength = selLength;
    } else {
        m_matterSelStart = m_matterCaret;
        m_matterSelLength = 0;
    }
}

void InputPresenter::setMoneyText(const QString &text)
{
    m_money = NarrowDigits(text).left(MoneyMaxLength);
}

void InputPresenter::optCashier_Click(int index)
{
    m_app.entry.optIncome = index == 0;
    FillMatterCombo(m_app);
    changed();
}

void InputPresenter::txtDate_Click()
{
    if (onShowCalendar)
        onShowCalendar();
}

void InputPresenter::txtMoney_Change()
{
    // Every replacement is a change of its own, so filter until nothing moves.
    for (;;) {
        QString next = FilterDigits(m_money);
        if (next == QLatin1String("0"))
            next.clear(); // an amount is never zero
        if (next == m_money)
            break;
        m_money = next;
    }
    m_enterEnabled = !m_money.isEmpty();
    changed();
}

void InputPresenter::cmbMatter_KeyDown(int keyCode)
{
    switch (keyCode) {
    case KeyBack:
    case KeyDelete:
        // Drop the proposed completion; the key then deletes as usual.
        EntrySuppressCompletion = true;
        if (m_matterSelLength > 0) {
            m_matter.remove(m_matterSelStart, m_matterSelLength);
            m_matterCaret = m_matterSelStart;
            m_matterSelLength = 0;
            cmbMatter_Change();
        }
        break;
    case KeyCut:
        EntrySuppressCompletion = true;
        return;
    case KeyReturn:
    case KeySeparator:
        // Accept the completion.
        EntrySuppressCompletion = true;
        m_matterCaret = m_matterSelStart = int(m_matter.size());
        m_matterSelLength = 0;
        break;
    default:
        EntrySuppressCompletion = false;
        return;
    }
    changed();
}

void InputPresenter::cmbMatter_Change()
{
    if (EntrySuppressCompletion) {
        changed();
        return;
    }
    int p = m_matterSelStart;
    if (EntrySavedCaret != 0) {
        p = std::min(int(EntrySavedCaret), int(m_matter.size()));
        m_matterCaret = m_matterSelStart = p;
        m_matterSelLength = 0;
    }
    const QString prefix = m_matter.left(p);
    const MatterList &list = m_app.entry.cmbMatter;
    const int found = list.findPrefix(prefix);
    if (found >= 0) {
        m_matter = list.item(found);
    } else {
        // Setting the text back to the prefix is a change of its own. Run
        // again it would find the caret saved at the prefix's end, look up
        // the same prefix, find nothing and leave everything as it is, so
        // its work is done here and this handler never calls itself.
        EntrySavedCaret = qint16(prefix.size());
        m_matter = prefix;
    }
    p = std::min(p, int(m_matter.size()));
    m_matterCaret = m_matterSelStart = p;
    m_matterSelLength = int(m_matter.size()) - p;
    EntrySavedCaret = 0;
    changed();
}

void InputPresenter::txtMemo_Click()
{
    RefreshClipboardItems(m_app);
}

void InputPresenter::cmdEnter_Click()
{
    Amount amount;
    if (m_money.isEmpty() || !Amount::tryParse(m_money, amount))
        return; // the button is disabled without an amount

    Book &book = m_app.book;
    if (book.recordCount() >= kMaxRecords) {
        m_app.ui.messageBox(QStringLiteral("1冊の出納帳に記入できるのは32,767件までです。これ以上は記入できません。"),
                            QStringLiteral("記入エラー"), MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok);
        return;
    }

    // Refused here rather than saved as "?" without a word.
    for (const QString *field : {&m_date, &m_matter, &m_app.entry.memo}) {
        const QString bad = FirstCharWithoutCp932(*field);
        if (bad.isEmpty())
            continue;
        m_app.ui.messageBox(QStringLiteral("%1は Shift_JIS で表せない文字のため、記入できません。"
                                           "この文字を除くか、別の文字に置きかえてください。")
                                .arg(QuotedChar(bad)),
                            QStringLiteral("記入エラー"), MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok);
        return;
    }

    if (!m_app.menu.checked(MenuItem::setupHighSpeedMode))
        TakeBackup(m_app, QStringLiteral("入力"));
    ShowStatus(m_app.ui, QStringLiteral("出納帳にデータを書きこんでいます..."));
    // Cleared on every way out, an abandoned step included.
    const auto clearStatus = qScopeGuard([&] { ShowStatus(m_app.ui, QString()); });

    QString matter = m_matter;
    if (matter == kOtherMatter)
        matter.clear();
    const bool isIncome = income();
    const Amount incomeAmount = isIncome ? amount : Amount();
    const Amount outgoAmount = isIncome ? Amount() : amount;
    const QStringList cells{m_date,    matter, FormatAmountBlank(incomeAmount), FormatAmountBlank(outgoAmount),
                            QString(), memo()};

    Grid &grid = book.msfgCashier;
    if (!RunStep(m_app.ui, [&] { insertInDateOrder(grid, cells); }))
        return;
    RecalcCashier(book, m_app.ui, grid.rows() - 4);
    if (!RunStep(m_app.ui, [&] { AppendMatter(m_app, matter, KindFor(isIncome)); }))
        return;
    CalcMatterSummary(book, m_app.ui);

    // Cleared from code without completing: the next record starts empty.
    m_matter.clear();
    m_matterCaret = m_matterSelStart = m_matterSelLength = 0;
    m_money.clear();
    setMemo(QString(), 0);
    m_enterEnabled = false;
    m_app.setModified(true);
    changed();
}

namespace {
constexpr Hint kHints[] = {
    {"txtDate", u"クリックでカレンダーウインドウを表示します。"},
    {"fraCashier", u"収入または支出を選択します。"},
    {"optCashier", u"収入または支出を選択します。"},
    {"txtMoney", u"金額を入力します。"},
    {"txtMemo", u"メモがあれば入力します。"},
    {"cmdEnter", u"セルに記入します。"},
    {"Form", u""},
};
} // namespace

void InputPresenter::MouseMove(const QString &controlName)
{
    ShowHint(m_app.ui, kHints, controlName);
}

} // namespace purslet
