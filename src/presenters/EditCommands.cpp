#include "presenters/EditCommands.h"

#include "files/Backup.h"
#include "data/Book.h"
#include "calc/Cashier.h"
#include "data/MatterKind.h"
#include "calc/Catalogs.h"
#include "presenters/MatterEditorPresenter.h"
#include "calc/MatterSummary.h"
#include "platform/ErrorDialogs.h"
#include "platform/Ui.h"
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
    Grid &grid = m_app.book.msfgCashier;
    if (m_app.book.readCashierSelection)
        m_app.book.readCashierSelection();
    const int r1 = grid.row();
    const int r2 = grid.rowSel();
    const int first = std::min(r1, r2);
    const int last = std::max(r1, r2);
    // Only records go: never the header, the empty rows or the total row.
    const bool records = first >= 1 && last <= grid.rows() - 4;
    if (!m_app.menu.enabled(MenuItem::editDelete) || !records) {
        error(u"不正な行を指定したか、行が指定されていないため削除できません。", u"削除エラー");
        return;
    }

    const QString question = r1 == r2 ? QStringLiteral("%1行目を削除しますか？").arg(r1)
                                      : QStringLiteral("%1行目～%2行目を削除しますか？").arg(r1).arg(r2);
    const MsgAnswer answer =
        m_app.ui.messageBox(question, QStringLiteral("行の削除"), MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No);
    if (answer == MsgAnswer::Yes) {
        if (!m_app.menu.checked(MenuItem::setupHighSpeedMode))
            TakeBackup(m_app, QStringLiteral("入力"));
        const bool removed = RunStep(m_app.ui, [&] {
            Grid::Bulk bulk(grid);
            // Move the doomed rows behind the last record first, so that each
            // removal shifts only the empty rows and the total row.
            const int recordsEnd = grid.rows() - 4;
            const int count = last - first + 1;
            std::vector<int> order;
            order.reserve(size_t(recordsEnd - first + 1));
            for (int r = last + 1; r <= recordsEnd; ++r)
                order.push_back(r - first);
            for (int r = first; r <= last; ++r)
                order.push_back(r - first);
            grid.reorderRows(first, order);
            for (int i = 0; i < count; ++i)
                grid.removeRow(recordsEnd - i);
        });
        if (!removed)
            return;
        RecalcCashier(m_app.book, m_app.ui, grid.rows() - 4);
    }
    CalcMatterSummary(m_app.book, m_app.ui);
    m_app.setModified(true);
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
