#pragma once

#include <QString>

namespace purslet {

class App;

// Puts the current file path at the top of the recent files (at most four).
void UpdateFileHistory(App &app);
// The same for another path.
void UpdateFileHistory(App &app, const QString &path);

} // namespace purslet
