#pragma once

#include <QString>

namespace purslet {

class App;

// The undo backup's file in the program folder.
inline const QString kBackupFileName = QStringLiteral("purslet.bak");

// Writes the cash book to the backup file and enables Undo with the caption
// "元に戻す(&U) -" + label. A failed write shows the system error dialog
// here; the caller goes on either way.
void TakeBackup(App &app, const QString &label);

} // namespace purslet
