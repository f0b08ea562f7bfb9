#pragma once

#include <QString>
#include <QStringList>

namespace purslet {

class App;

// The recent files of the File menu, most recent first.

// Puts the current file path at the top of the recent files (at most four).
void UpdateFileHistory(App &app);
// The same for another path.
void UpdateFileHistory(App &app, const QString &path);

// Fills the recent files read at start-up (no upper bound here), below the
// books already listed.
void LoadFileHistory(App &app, const QStringList &paths);

// Setup > 履歴の削除: clears the recent files after a question.
void setupDeleteHistory_Click(App &app);

} // namespace purslet
