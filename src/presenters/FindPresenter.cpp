#include "presenters/FindPresenter.h"

#include "platform/Ui.h"
#include "state/App.h"

#include <algorithm>

namespace purslet {

FindPresenter::FindPresenter(App &app) : m_app(app)
{
    m_listener = m_app.listen([this](AppChange change) {
        if (change == AppChange::Book || change == AppChange::Period)
            m_search.forget();
    });
}

FindPresenter::~FindPresenter()
{
    m_app.unlisten(m_listener);
}

int FindPresenter::step(const QString &text, int fromRow, int direction)
{
    if (text.isEmpty())
        return -1;
    const std::vector<int> &rows = m_search.matches(m_app.book, text);
    if (rows.empty()) {
        ShowStatus(m_app.ui, QStringLiteral("「%1」に一致する記録はありません").arg(text));
        return -1;
    }
    size_t at = 0;
    if (direction >= 0) {
        const auto next = std::upper_bound(rows.begin(), rows.end(), fromRow);
        at = next == rows.end() ? 0 : size_t(next - rows.begin());
    } else {
        const auto next = std::lower_bound(rows.begin(), rows.end(), fromRow);
        at = next == rows.begin() ? rows.size() - 1 : size_t(next - rows.begin()) - 1;
    }
    ShowStatus(m_app.ui, QStringLiteral("%1 / %2 件").arg(at + 1).arg(rows.size()));
    return rows[at];
}

} // namespace purslet
