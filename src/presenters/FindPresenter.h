#pragma once

#include "calc/RecordSearch.h"

#include <QString>

namespace purslet {

class App;

// The book window's find bar: steps through the records of the cash book
// shown that match the text typed, keeping the matches until the text, the
// records or the period change.
class FindPresenter final
{
public:
    explicit FindPresenter(App &app);
    ~FindPresenter();
    FindPresenter(const FindPresenter &) = delete;
    FindPresenter &operator=(const FindPresenter &) = delete;

    // The grid row of the next (+1) or previous (-1) match after `fromRow`
    // in the cash book shown, wrapping around; -1 when nothing matches. The
    // status bar says which match of how many, or that none does.
    int step(const QString &text, int fromRow, int direction);

private:
    App &m_app;
    int m_listener = -1;
    RecordSearch m_search;
};

} // namespace purslet
