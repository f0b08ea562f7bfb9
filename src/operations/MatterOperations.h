#pragma once

#include "data/Amount.h"
#include "data/MatterKind.h"

#include <QString>

#include <optional>

namespace purslet {

class App;

enum class RenameOutcome {
    Unchanged, // the same name: nothing to do
    Renamed,
    Merged,   // the records went to a matter the catalog already had
    Refused,  // a name that cannot be a matter; the user was told why
    Declined, // the user said No to merging
    Failed,   // the catalog could not be written; nothing changed
};

// Renames a catalog matter of `kind` and every record of that kind holding
// it, as one step Undo brings back whole (the records and the catalog file).
// The new name is taken as a file gives it back, without surrounding blanks.
// When it is already a matter of the kind, the user is asked whether to
// merge: the records then go to that matter, which keeps its estimate, and
// the renamed entry leaves the catalog. A renamed entry keeps its place and,
// unless `estimate` is given, its estimate.
RenameOutcome RenameMatter(App &app, MatterKind kind, const QString &from, const QString &to,
                           std::optional<Amount> estimate = std::nullopt);

} // namespace purslet
