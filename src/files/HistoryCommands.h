#pragma once

#include <QStringList>

namespace purslet {

class App;

// Setup > 履歴の削除: clears the recent files after a question.
void setupDeleteHistory_Click(App &app);

// Fills the recent files read at start-up (no upper bound here), below the
// books already listed.
void LoadFileHistory(App &app, const QStringList &paths);

} // namespace purslet
