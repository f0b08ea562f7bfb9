#pragma once

namespace purslet {

class App;

// Writes the cash book to the current file path in the kind its name selects.
// Errors are thrown (RuntimeError) to the calling command; the old file stays whole.
void FileWriting(App &app);

} // namespace purslet
