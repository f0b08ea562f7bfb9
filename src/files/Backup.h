#pragma once

#include "data/MatterKind.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace purslet {

class App;

// The undo backup's file in the program folder.
inline const QString kBackupFileName = QStringLiteral("purslet.bak");

// Writes the cash book to the backup file and enables Undo with the caption
// "元に戻す(&U) -" + label. A change that also rewrites a catalog names its
// kind: the catalog's bytes are kept beside the backup, so that Undo brings
// back both; any other backup drops such a copy, which would belong to an
// older book. A failed write shows the system error dialog here; the caller
// goes on either way, but a change with a catalog then offers no Undo, which
// could bring back only half of it.
void TakeBackup(App &app, const QString &label, std::optional<MatterKind> catalog = std::nullopt);

// No Undo on offer: "元に戻せません(&U)".
void DisableUndo(App &app);

// For Undo, before it reads the backup: puts the catalog kept with it back in
// place and drops the copy. revert() returns the catalog as it was, for an
// Undo whose read was refused and so left the book as it was.
class CatalogRestore final
{
public:
    explicit CatalogRestore(App &app);
    bool restored() const { return m_kind.has_value(); }
    void revert();

private:
    App &m_app;
    std::optional<MatterKind> m_kind;
    std::optional<QByteArray> m_replaced; // none: there was no catalog file
};

// The catalog copies, at shut-down; a missing one is no error.
void RemoveCatalogBackups(const App &app);

} // namespace purslet
