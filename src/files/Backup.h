#pragma once

#include <QString>

namespace purslet {

class App;

// Writes the cash book to the program folder's purslet.bak and enables Undo
// with the caption "元に戻す(&U) -" + label.
void TakeBackup(App &app, const QString &label);

} // namespace purslet
