#include "presenters/EditCommands.h"

#include "calc/Catalogs.h"
#include "data/Book.h"
#include "data/MatterKind.h"
#include "operations/BookOperations.h"
#include "platform/ErrorDialogs.h"
#include "platform/Ui.h"
#include "presenters/MatterEditorPresenter.h"
#include "state/App.h"

#include <algorithm>
#include <vector>

namespace purslet {

void RefreshClipboardItems(App &app)
{
    MenuState &menu = app.menu;
    const bool selection = app.entry.memoSelLength > 0;
    menu.setEnabled(MenuItem::editCut, selection);
    menu.setEnabled(MenuItem::editCopy, selection);
    menu.setEnabled(MenuItem::editPaste, !app.ui.clipboardText().isEmpty());
}

EditCommands::EditCommands(App &app, MatterEditorPresenter &matterEditor) : m_app(app), m_matterEditor(matterEditor) {}

void EditCommands::error(const char16_t *text, const char16_t *title)
{
    m_app.ui.messageBox(QString::fromUtf16(text), QString::fromUtf16(title), MsgIcon::Critical, MsgButtons::Ok,
                        MsgAnswer::Ok);
}

void EditCommands::editCopy_Click()
{
    if (!m_app.menu.enabled(MenuItem::editCopy)) {
        error(u"コピーする範囲が指定されていません。", u"コピーエラー");
        return;
    }
    const QString selected = m_app.entry.memoSelectedText();
    if (!selected.isEmpty())
        m_app.ui.setClipboardText(selected);
    RefreshClipboardItems(m_app);
}

void EditCommands::editCut_Click()
{
    if (!m_app.menu.enabled(MenuItem::editCut)) {
        error(u"切り取る範囲が指定されていません。", u"切り取りエラー");
        return;
    }
    editCopy_Click();
    EntryState &entry = m_app.entry;
    const int start = entry.memoSelStart;
    entry.setMemo(entry.memo.left(start) + entry.memo.mid(start + entry.memoSelLength), start);
    RefreshClipboardItems(m_app);
    m_app.notify(AppChange::Entry);
}

void EditCommands::editPaste_Click()
{
    if (!m_app.menu.enabled(MenuItem::editPaste)) {
        error(u"貼り付け箇所が指定されていません。", u"貼り付けエラー");
        return;
    }
    // The clipboard replaces the whole memo.
    const QString text = m_app.ui.clipboardText().left(EntryState::MemoMaxLength);
    m_app.entry.setMemo(text, int(text.size()));
    RefreshClipboardItems(m_app);
    m_app.notify(AppChange::Entry);
}

void EditCommands::editDelete_Click()
{
    Grid &grid = m_app.book.shownCashier();
    if (m_app.book.readCashierSelection)
        m_app.book.readCashierSelection();
    const int r1 = grid.row();
    const int r2 = grid.rowSel();
    const int first = std::min(r1, r2);
    const int last = std::max(r1, r2);
    // Only records go: never the header, the empty rows or the total row.
    const bool records = first >= m_app.book.firstShownRecord() && last <= grid.rows() - 4;
    if (!m_app.menu.enabled(MenuItem::editDelete) || !records) {
        error(u"不正な行を指定したか、行が指定されていないため削除できません。", u"削除エラー");
        return;
    }

    const QString question = r1 == r2 ? QStringLiteral("%1行目を削除しますか？").arg(r1)
                                      : QStringLiteral("%1行目～%2行目を削除しますか？").arg(r1).arg(r2);
    const MsgAnswer answer =
        m_app.ui.messageBox(question, QStringLiteral("行の削除"), MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No);
    if (answer == MsgAnswer::Yes)
        DeleteRecords(m_app, first, last);
    else
        DeclineDelete(m_app);
}

void EditCommands::editMatter_Click()
{
    const KindDescription &kind = Describe(KindFor(m_app.book.MatterSourceIsIncome));
    const Grid &grid = kind.gridOf(m_app.book);
    const int row = grid.row();
    const bool matterRow =
        row >= 1 && row <= grid.rows() - 4 && !grid.text(row, 0).isEmpty() && grid.text(row, 0) != kOtherMatter;
    if (!m_app.menu.enabled(MenuItem::editMatter) || !matterRow) {
        error(u"不正な行を指定したか、行が指定されていないため編集できません。", u"事柄編集エラー");
        return;
    }
    m_matterEditor.load(grid.text(row, 0), grid.text(row, kind.estimateColumn));
    m_app.ui.showModal(ModalWindow::frmMatter);
}

} // namespace purslet
