#pragma once

#include <QString>

namespace purslet {

class App;

// Writes the cash book to the current file path in the kind its name selects
// (the file an encrypted book came from stays encrypted). Errors are thrown
// (RuntimeError) to the calling command; the old file stays whole. False,
// and nothing written, when the user cancelled an encrypted book's password.
bool FileWriting(App &app);

// True when writing the book at `target` would put another kind of it over
// the file it was read from or saved to (`target` a link to that file).
bool ReplacesOpenBook(const App &app, const QString &target);

} // namespace purslet
