#pragma once

#include "state/App.h"

#include <QString>

#include <functional>

namespace purslet {

// The entry window (frmInput): the fields of one record, the matter
// type-ahead and the record button. The widget mirrors this state.
class InputPresenter final
{
public:
    // Key codes the matter field reacts to (as the platform numbers them).
    static constexpr int KeyBack = 8;
    static constexpr int KeyReturn = 13;
    static constexpr int KeyDelete = 46;
    static constexpr int KeySeparator = 108;
    // Not a platform key: a cut key in the matter box takes the proposal away
    // without deleting it first, so that the cut still holds it.
    static constexpr int KeyCut = 0x20000;

    static constexpr int MoneyMaxLength = 8;
    static constexpr int MemoMaxLength = EntryState::MemoMaxLength;

    explicit InputPresenter(App &app);
    ~InputPresenter();
    InputPresenter(const InputPresenter &) = delete;
    InputPresenter &operator=(const InputPresenter &) = delete;

    // Start-up.
    void setDate(const QString &date);
    // Sets the choice and the option buttons without refilling the list.
    void setIncome(bool income);

    const QString &date() const { return m_date; }
    bool income() const;

    const QString &matterText() const { return m_matter; }
    int matterCaret() const { return m_matterCaret; }
    int matterSelStart() const { return m_matterSelStart; }
    int matterSelLength() const { return m_matterSelLength; }
    // What the user did to the matter field; caret and selection as the field
    // has them. The text is held in Cp932Form.
    void setMatter(const QString &text, int caret, int selStart = -1, int selLength = 0);

    const QString &money() const { return m_money; }
    // What the user typed; longer input is cut as the field's own limit would.
    void setMoneyText(const QString &text);

    // The memo lives in the entry state, where the Edit commands change it.
    const QString &memo() const { return m_app.entry.memo; }
    int memoSelStart() const { return m_app.entry.memoSelStart; }
    int memoSelLength() const { return m_app.entry.memoSelLength; }
    int memoCaret() const { return m_app.entry.memoCaret; }
    QString memoSelectedText() const { return m_app.entry.memoSelectedText(); }
    void setMemo(const QString &text, int caret, int selStart = -1, int selLength = 0)
    {
        m_app.entry.setMemo(text, caret, selStart, selLength);
    }

    bool enterEnabled() const { return m_enterEnabled; }

    // Change mode: the fields hold a recorded entry and the record button
    // puts them in its place.
    bool changing() const { return m_app.entry.changeRow > 0; }
    QString enterCaption() const;
    QString windowTitle() const;
    // Esc: back to the new record the window held before, nothing changed.
    void cancelChange();

    bool EntrySuppressCompletion = false;
    qint16 EntrySavedCaret = 0;

    // Handlers, named as the window's controls.
    void optCashier_Click(int index);
    void txtDate_Click();
    void txtMoney_Change();
    void cmbMatter_KeyDown(int keyCode);
    void cmbMatter_Change();
    void txtMemo_Click();
    void cmdEnter_Click();
    void MouseMove(const QString &controlName);

    std::function<void()> onChanged;      // any field, caret or enabled state
    std::function<void()> onShowCalendar; // the date field asks for the calendar window
    std::function<void()> onChangeMode;   // change mode began (focus to the matter box) or ended

private:
    void changed();
    void loadChange();
    // Leaves change mode; the fields are those of before it, or, after a
    // correction, a new record's empty ones on the date of before.
    void leaveChange(bool applied);

    // The new record's fields while a recorded one is in them.
    struct Saved
    {
        QString date, matter, money, memo;
        bool income = true;
    };
    Saved m_saved;
    bool m_applying = false;
    bool m_inChange = false;

    App &m_app;
    QString m_date;
    QString m_matter;
    int m_matterCaret = 0;
    int m_matterSelStart = 0;
    int m_matterSelLength = 0;
    QString m_money;
    bool m_enterEnabled = false;
    int m_listener = 0;
};

} // namespace purslet
