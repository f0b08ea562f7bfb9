#pragma once

#include <QList>
#include <QString>

namespace purslet {

class App;
class SettingsReader;

// Turns the three grids into an empty book: captions, total rows, column
// widths and sort state from Setup.ini, the catalog rows, the summaries; clears
// the modified flag. Skipped once when SkipNextReset is set.
void ResetBook(App &app);

// Default column widths in twips of a grid by its name.
const QList<int> &DefaultColumnWidths(const QString &gridName);

// A column's width in twips as the next reset sets it: Setup.ini's, or the default.
int StoredColumnWidth(const SettingsReader &settings, const QString &gridName, int col);

} // namespace purslet
