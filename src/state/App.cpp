#include "state/App.h"

#include "platform/Codepage.h"

#include <algorithm>

namespace purslet {

void EntryState::setMemo(const QString &text, int caret, int selStart, int selLength)
{
    memo = Cp932Form(text.left(MemoMaxLength));
    memoCaret = std::clamp(caret, 0, int(memo.size()));
    if (selLength > 0 && selStart >= 0 && selStart + selLength <= memo.size()) {
        memoSelStart = selStart;
        memoSelLength = selLength;
    } else {
        memoSelStart = memoCaret;
        memoSelLength = 0;
    }
}

void App::setModified(bool modified)
{
    if (doc.modified == modified)
        return;
    doc.modified = modified;
    if (doc.onChanged)
        doc.onChanged();
}

void App::setWindowTitle(const QString &title)
{
    if (doc.windowTitle == title)
        return;
    doc.windowTitle = title;
    if (doc.onChanged)
        doc.onChanged();
}

int App::listen(std::function<void(AppChange)> listener)
{
    m_listeners.emplace_back(++m_nextListener, std::move(listener));
    return m_nextListener;
}

void App::unlisten(int id)
{
    std::erase_if(m_listeners, [id](const auto &l) { return l.first == id; });
}

void App::notify(AppChange change)
{
    // By index: a listener may add another while it runs.
    for (size_t i = 0; i < m_listeners.size(); ++i)
        m_listeners[i].second(change);
}

} // namespace purslet
