#include "presenters/InputPresenter.h"

#include "calc/Catalogs.h"
#include "data/AmountFormat.h"
#include "operations/BookOperations.h"
#include "platform/Codepage.h"
#include "platform/Hints.h"
#include "platform/Ui.h"
#include "presenters/EditCommands.h"
#include "state/App.h"

#include <algorithm>

namespace purslet {

InputPresenter::InputPresenter(App &app) : m_app(app)
{
    m_listener = m_app.listen([this](AppChange change) {
        if (change == AppChange::Entry)
            changed();
        else if (change == AppChange::Change)
            changing() ? loadChange() : leaveChange(false);
        // Another change to the book, or another period, moves the rows: the
        // correction is given up rather than put in the wrong place.
        else if (changing() && !m_applying)
            leaveChange(false);
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

    const NewRecord record{m_date, income(), m_matter, amount, memo()};
    if (changing()) {
        m_applying = true;
        const bool changed = ChangeRecord(m_app, m_app.entry.changeRow, record);
        m_applying = false;
        if (changed)
            leaveChange(true);
        return;
    }
    if (!EnterRecord(m_app, record))
        return;

    // Cleared from code without completing: the next record starts empty.
    m_matter.clear();
    m_matterCaret = m_matterSelStart = m_matterSelLength = 0;
    m_money.clear();
    setMemo(QString(), 0);
    m_enterEnabled = false;
    changed();
}

QString InputPresenter::enterCaption() const
{
    return changing() ? QStringLiteral("修正(&E)") : QStringLiteral("記入(&E)");
}

QString InputPresenter::windowTitle() const
{
    const QString title = QStringLiteral("インプットウインドウ");
    // The row first: a narrow window cuts the end of its title.
    return changing() ? QStringLiteral("%1行目の修正 - ").arg(m_app.entry.changeShownRow) + title : title;
}

void InputPresenter::loadChange()
{
    const NewRecord r = RecordAt(m_app.book, m_app.entry.changeRow);
    if (!m_inChange) {
        m_saved = {m_date, m_matter, m_money, memo(), income()};
        m_inChange = true;
    }
    m_date = r.date;
    optCashier_Click(r.income ? 0 : 1);
    // Selected whole: what is typed replaces it, an arrow key keeps it.
    m_matter = r.matter;
    m_matterCaret = int(m_matter.size());
    m_matterSelStart = 0;
    m_matterSelLength = int(m_matter.size());
    m_money = r.amount.isZero() ? QString() : FilterDigits(FormatAmount(r.amount));
    m_enterEnabled = !m_money.isEmpty();
    setMemo(r.memo, int(r.memo.size()));
    changed();
    if (onChangeMode)
        onChangeMode();
}

void InputPresenter::leaveChange(bool applied)
{
    if (!m_inChange)
        return;
    m_inChange = false;
    m_app.entry.changeRow = m_app.entry.changeShownRow = 0;
    m_date = m_saved.date;
    if (income() != m_saved.income)
        optCashier_Click(m_saved.income ? 0 : 1);
    m_matter = applied ? QString() : m_saved.matter;
    m_matterCaret = int(m_matter.size());
    m_matterSelStart = m_matterSelLength = 0;
    m_money = applied ? QString() : m_saved.money;
    m_enterEnabled = !m_money.isEmpty();
    const QString memoText = applied ? QString() : m_saved.memo;
    setMemo(memoText, int(memoText.size()));
    changed();
    if (onChangeMode)
        onChangeMode();
}

void InputPresenter::cancelChange()
{
    if (changing())
        leaveChange(false);
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
