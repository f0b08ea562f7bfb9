#pragma once

#include <QString>

namespace purslet {

class App;

// Reads the file at the current file path into the cash book; every outcome
// is shown to the user through the Ui.
void FileReading(App &app, const QString &title);

} // namespace purslet
