#pragma once

#include "data/MatterKind.h"

#include <QString>

namespace purslet {

class App;

// The reserved matter of the remainder row; never stored in a catalog.
inline const QString kOtherMatter = QStringLiteral("その他");

// Refills the entry window's matter list from the catalog of the kind chosen there.
void FillMatterCombo(App &app);
// Inserts one row per catalog entry into each summary grid.
void FillMatterGrids(App &app);
// Adds a matter not yet in the list to the list, its catalog file and its grid.
void AppendMatter(App &app, const QString &matter, MatterKind kind);
// Rewrites the kind's catalog file from its summary grid. Throws RuntimeError
// (53) when the file to replace does not exist.
void SaveMatterCatalog(App &app, MatterKind kind);

// Whether the kind's catalog or its summary grid holds the matter.
bool CatalogHolds(const App &app, MatterKind kind, const QString &matter);
// Renames the matter in its catalog file, where it stands, and in its summary
// grid; a non-empty estimate (as the grid shows it) goes with it. Every other
// line of the file stays. Throws RuntimeError when the file cannot be written.
void RenameCatalogMatter(App &app, MatterKind kind, const QString &from, const QString &to,
                         const QString &estimate = QString());
// Takes the matter out of its catalog file, the entries after it moving up
// one place, and out of its summary grid. Throws as above.
void RemoveCatalogMatter(App &app, MatterKind kind, const QString &matter);

} // namespace purslet
