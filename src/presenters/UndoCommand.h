#pragma once

namespace purslet {

class App;

// Edit > Undo: reads the backup taken before the last entry or deletion back
// in place of the book, which is then modified.
void editUndo_Click(App &app);

} // namespace purslet
