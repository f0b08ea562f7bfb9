#pragma once

namespace purslet {

class App;

// Writes the cash book to the current file path in the kind its name selects
// (the file an encrypted book came from stays encrypted). Errors are thrown
// (RuntimeError) to the calling command; the old file stays whole. False,
// and nothing written, when the user cancelled an encrypted book's password.
bool FileWriting(App &app);

} // namespace purslet
