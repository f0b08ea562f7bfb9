#pragma once

namespace purslet {

class App;

// Puts the current file path at the top of the recent files (at most four).
void UpdateFileHistory(App &app);

} // namespace purslet
