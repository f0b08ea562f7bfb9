#include "presenters/MatterEditorPresenter.h"

#include "data/AmountFormat.h"
#include "data/Book.h"
#include "calc/Catalogs.h"
#include "calc/MatterSummary.h"
#include "data/SetupValues.h"
#include "operations/MatterOperations.h"
#include "platform/ErrorDialogs.h"
#include "platform/Hints.h"
#include "platform/Ui.h"
#include "state/App.h"

#include <cmath>
#include <optional>

namespace purslet {

namespace {

const QString kSetup = QStringLiteral("Setup");
const QString kSection = QStringLiteral("frmMatter");

// Whole twips; a value no screen has keeps the window centred.
int readPosition(const App &app, const QString &key, int fallback)
{
    const auto value = SettingsReader(app.ini).single(kSection, key, fallback);
    if (!value || std::abs(*value) > 1e9)
        return fallback;
    return int(std::lround(*value));
}

} // namespace

MatterEditorPresenter::MatterEditorPresenter(App &app) : m_app(app) {}

const KindDescription &MatterEditorPresenter::source() const
{
    return Describe(KindFor(m_app.book.MatterSourceIsIncome));
}

void MatterEditorPresenter::changed()
{
    if (onChanged)
        onChanged();
}

void MatterEditorPresenter::requestClose()
{
    if (onClose)
        onClose();
}

void MatterEditorPresenter::load(const QString &matter, const QString &estimateText)
{
    m_original = m_matter = matter;
    m_estimate = estimateText;
    txtEstimate_Change();
    m_loadedEstimate = m_estimate;
}

void MatterEditorPresenter::setMatterText(const QString &text)
{
    m_matter = text;
}

void MatterEditorPresenter::setEstimateText(const QString &text)
{
    m_estimate = NarrowDigits(text).left(EstimateMaxLength);
}

void MatterEditorPresenter::txtEstimate_Change()
{
    // Each replacement is a change of its own: filter until the text is stable.
    for (;;) {
        const QString next = FilterDigits(m_estimate);
        if (next == m_estimate)
            break;
        m_estimate = next;
    }
    m_estimate.truncate(EstimateMaxLength);
    changed();
}

void MatterEditorPresenter::cmdRenewal_Click()
{
    Ui &ui = m_app.ui;
    const KindDescription &kind = source();
    Grid &grid = kind.gridOf(m_app.book);
    const int row = grid.row();

    bool parsed = false;
    Amount amount;
    try {
        amount = Amount::parse(m_estimate);
        parsed = true;
    } catch (const RuntimeError &e) {
        if (e.number() == RuntimeError::Overflow) {
            ui.messageBox(QStringLiteral("入力できる範囲は、1円～922,337,203,685,477です。"),
                          QStringLiteral("入力エラー"), MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok);
            return;
        }
        if (!InlineErrorDialog(ui, e))
            return;
    }
    if (m_matter != m_original) {
        // The estimate goes with a rename only when it was changed too, so
        // that the catalog entry keeps its text otherwise.
        std::optional<Amount> changedEstimate;
        if (parsed && m_estimate != m_loadedEstimate)
            changedEstimate = amount;
        switch (RenameMatter(m_app, kind.kind, m_original, m_matter, changedEstimate)) {
        case RenameOutcome::Renamed:
        case RenameOutcome::Merged: requestClose(); return;
        case RenameOutcome::Unchanged: break; // blanks or another form of the same name
        case RenameOutcome::Refused:
        case RenameOutcome::Declined:
        case RenameOutcome::Failed: return;
        }
    }
    // Only a matter row takes an estimate, never the header, empty or total rows.
    if (parsed && !RunInlineStep(ui, [&] {
            if (row < 1 || row > grid.rows() - 4)
                throw RuntimeError(RuntimeError::SubscriptOutOfRange);
            grid.setText(row, kind.estimateColumn, FormatAmount(amount));
        }))
        return;
    if (!RunInlineStep(ui, [&] { SaveMatterCatalog(m_app, kind.kind); }))
        return;
    CalcMatterSummary(m_app.book, ui);
    requestClose();
}

void MatterEditorPresenter::cmdDelete_Click()
{
    Ui &ui = m_app.ui;
    if (ui.messageBox(QStringLiteral("編集中の事柄を削除しますか？"), QStringLiteral("事柄の削除"), MsgIcon::Question,
                      MsgButtons::YesNo, MsgAnswer::No) != MsgAnswer::Yes)
        return;

    const KindDescription &kind = source();
    Grid &grid = kind.gridOf(m_app.book);
    const int row = grid.row();
    // Only a matter row may go; the header, the empty rows and the total stay.
    if (!RunInlineStep(ui, [&] {
            if (row < 1 || row > grid.rows() - 4)
                throw RuntimeError(RuntimeError::SubscriptOutOfRange);
            grid.removeRow(row);
        }))
        return;
    // The row is gone from the grid; if the catalog cannot follow, say so and
    // still finish, since the editor has no row left to work on.
    try {
        SaveMatterCatalog(m_app, kind.kind);
    } catch (const RuntimeError &e) {
        ui.messageBox(e.description() + QStringLiteral("\r\n\r\n事柄は表から削除しましたが、") + kind.catalogFile() +
                          QStringLiteral("を書き換えられませんでした。ファイルの内容は表と一致していません。"),
                      QStringLiteral("事柄の削除エラー"), MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok);
    }
    FillMatterCombo(m_app);
    CalcMatterSummary(m_app.book, ui);
    requestClose();
}

void MatterEditorPresenter::cmdCancel_Click()
{
    requestClose();
}

QPoint MatterEditorPresenter::Form_Load(int screenWidth, int screenHeight, int windowWidth, int windowHeight)
{
    const int left = readPosition(m_app, QStringLiteral("Left"), (screenWidth - windowWidth) / 2);
    const int top = readPosition(m_app, QStringLiteral("Top"), (screenHeight - windowHeight) / 2);
    return {left, top};
}

void MatterEditorPresenter::Form_Unload(int left, int top)
{
    m_app.ini.WriteIniValue(kSetup, kSection, QStringLiteral("Left"), QString::number(left));
    m_app.ini.WriteIniValue(kSetup, kSection, QStringLiteral("Top"), QString::number(top));
}

namespace {
constexpr Hint kHints[] = {
    {"txtMatter", u"変更対象の事柄が表示されます。"},
    {"txtEstimate", u"予定額を入力します。"},
    {"cmdRenewal", u"変更内容を反映します。"},
    {"cmdDelete", u"対象の事柄を削除します。"},
    {"cmdCancel", u"対象の事柄を変更せずに終了します。"},
    {"Form", u""},
};
} // namespace

void MatterEditorPresenter::MouseMove(const QString &controlName)
{
    ShowHint(m_app.ui, kHints, controlName);
}

} // namespace purslet
