#include "calc/Catalogs.h"

#include "data/AmountFormat.h"
#include "data/IniFile.h"
#include "platform/AtomicFile.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"
#include "state/App.h"

#include <QFile>

#include <vector>

namespace purslet {

namespace {
const QString kMatterKey = QStringLiteral("Matter");
const QString kEstimateKey = QStringLiteral("Estimate");

// Catalog positions are 16-bit: nothing past this is ever read.
constexpr int kLastPosition = 32767;

QStringList matterRow(const KindDescription &kind, const QString &matter, const QString &estimate)
{
    QStringList cells(kind.estimateColumn + 1);
    cells[0] = matter;
    cells[kind.estimateColumn] = estimate;
    return cells;
}

// Returns false when the user chose to end the program.
bool fillGrid(App &app, const KindDescription &kind)
{
    const QString &base = kind.catalog;
    const auto file = app.ini.file(base);
    Grid &grid = kind.gridOf(app.book);
    Grid::Bulk bulk(grid);
    for (int n = 0; n <= kLastPosition; ++n) {
        const QString section = QString::number(n);
        const QString matter = IniStore::ValueIn(*file, section, kMatterKey, QString());
        if (matter.isEmpty())
            break;
        const QString estimate = IniStore::ValueIn(*file, section, kEstimateKey, QStringLiteral("0"));
        // A bad estimate loses only its own row.
        try {
            const QString shown = FormatAmount(Amount::parse(estimate));
            grid.insertRow(grid.rows() - 3, matterRow(kind, matter, shown));
        } catch (const RuntimeError &e) {
            const QString entry = QStringLiteral("%1: [%2] %3: Estimate=%4")
                                      .arg(app.ini.pathOf(base), section, matter, estimate);
            if (!app.ui.skipBadEntry(e, entry))
                return false;
        }
    }
    return true;
}

// Readers stop at the first section without a matter, so a new one goes
// there: the list's count can run ahead of the file (a row skipped for a bad
// estimate, a その他 entry dropped by a rewrite, the other kind's list).
int firstFreeSection(const IniFile &file)
{
    for (int n = 0; n <= kLastPosition; ++n)
        if (IniStore::ValueIn(file, QString::number(n), kMatterKey, QString()).isEmpty())
            return n;
    throw RuntimeError(RuntimeError::Overflow);
}

// The catalog's sections holding the matter, and in `used` how many
// sections the readers see.
std::vector<int> sectionsOf(const IniFile &file, const QString &matter, int *used = nullptr)
{
    std::vector<int> found;
    int n = 0;
    for (; n <= kLastPosition; ++n) {
        const QString name = IniStore::ValueIn(file, QString::number(n), kMatterKey, QString());
        if (name.isEmpty())
            break;
        if (name == matter)
            found.push_back(n);
    }
    if (used)
        *used = n;
    return found;
}

void replaceCatalog(App &app, const QString &base, const IniFile &file)
{
    app.ini.invalidate(base);
    WriteFileAtomically(app.ini.pathOf(base), file.serialize());
    app.ini.invalidate(base);
}
} // namespace

void FillMatterCombo(App &app)
{
    MatterList &list = app.entry.cmbMatter;
    list.clear();
    const auto file = app.ini.file(Describe(KindFor(app.entry.optIncome)).catalog);
    for (int n = 0; n <= kLastPosition; ++n) {
        const QString matter = IniStore::ValueIn(*file, QString::number(n), kMatterKey, QString());
        if (matter.isEmpty())
            break;
        list.addSorted(matter);
    }
}

void FillMatterGrids(App &app)
{
    if (fillGrid(app, Describe(MatterKind::Income)))
        fillGrid(app, Describe(MatterKind::Outgo));
}

void AppendMatter(App &app, const QString &matter, MatterKind kind)
{
    if (matter.isEmpty())
        return;
    MatterList &list = app.entry.cmbMatter;
    if (list.containsExactly(matter))
        return;
    const KindDescription &d = Describe(kind);
    const auto file = app.ini.file(d.catalog);
    const QString section = QString::number(firstFreeSection(*file));
    // A free section may still hold an old estimate; a new matter starts at 0.
    const bool staleEstimate = !IniStore::ValueIn(*file, section, kEstimateKey, QString()).isEmpty();
    list.insertAt(list.count(), matter);
    app.ini.WriteIniValue(d.catalog, section, kMatterKey, matter);
    if (staleEstimate)
        app.ini.WriteIniValue(d.catalog, section, kEstimateKey, QStringLiteral("0"));
    Grid &grid = d.gridOf(app.book);
    grid.insertRow(grid.rows() - 3, matterRow(d, matter, QStringLiteral("0")));
}

void SaveMatterCatalog(App &app, MatterKind kind)
{
    const KindDescription &d = Describe(kind);
    const QString &base = d.catalog;
    const QString path = app.ini.pathOf(base);
    const Grid &grid = d.gridOf(app.book);
    const int estimateCol = d.estimateColumn;

    IniFile file;
    int k = 0;
    for (int i = 1; i <= grid.rows() - 4; ++i) {
        const QString &matter = grid.text(i, 0);
        // A blank name would end the catalog for every reader: such a row
        // (left by an interrupted calculation) is not a matter.
        if (matter == kOtherMatter || matter.trimmed().isEmpty())
            continue;
        const QString &estimate = grid.text(i, estimateCol);
        const QString section = QString::number(k);
        file.setValue(section, kMatterKey, matter);
        file.setValue(section, kEstimateKey,
                      estimate.isEmpty() || estimate == QLatin1String("---") ? QStringLiteral("0") : estimate);
        ++k;
    }

    app.ini.invalidate(base);
    if (k == 0) {
        RemoveFile(path); // no matters: no catalog file at all
        app.ini.invalidate(base);
        return;
    }
    // Replaced in one step rather than deleted and rewritten, so that a
    // failed write keeps the old catalog; a vanished file is still an error.
    if (!QFile::exists(path))
        throw RuntimeError(RuntimeError::FileNotFound);
    WriteFileAtomically(path, file.serialize());
    app.ini.invalidate(base);
}

bool CatalogHolds(const App &app, MatterKind kind, const QString &matter)
{
    const KindDescription &d = Describe(kind);
    const Grid &grid = d.gridOf(app.book);
    for (int r = 1; r <= grid.rows() - 4; ++r)
        if (grid.text(r, 0) == matter)
            return true;
    return !sectionsOf(*app.ini.file(d.catalog), matter).empty();
}

void RenameCatalogMatter(App &app, MatterKind kind, const QString &from, const QString &to, const QString &estimate)
{
    const KindDescription &d = Describe(kind);
    IniFile file = *app.ini.file(d.catalog);
    const std::vector<int> sections = sectionsOf(file, from);
    for (int n : sections) {
        file.setValue(QString::number(n), kMatterKey, to);
        if (!estimate.isEmpty())
            file.setValue(QString::number(n), kEstimateKey, estimate);
    }
    if (!sections.empty())
        replaceCatalog(app, d.catalog, file);

    Grid &grid = d.gridOf(app.book);
    for (int r = 1; r <= grid.rows() - 4; ++r) {
        if (grid.text(r, 0) != from)
            continue;
        grid.setText(r, 0, to);
        if (!estimate.isEmpty())
            grid.setText(r, d.estimateColumn, estimate);
    }
}

void RemoveCatalogMatter(App &app, MatterKind kind, const QString &matter)
{
    const KindDescription &d = Describe(kind);
    IniFile file = *app.ini.file(d.catalog);
    int used = 0;
    const std::vector<int> sections = sectionsOf(file, matter, &used);
    // From the last, so that each removal moves only entries already kept.
    for (auto it = sections.rbegin(); it != sections.rend(); ++it) {
        file.removeSection(QString::number(*it));
        for (int n = *it + 1; n < used; ++n)
            file.renameSection(QString::number(n), QString::number(n - 1));
        --used;
    }
    if (!sections.empty())
        replaceCatalog(app, d.catalog, file);

    Grid &grid = d.gridOf(app.book);
    for (int r = grid.rows() - 4; r >= 1; --r)
        if (grid.text(r, 0) == matter)
            grid.removeRow(r);
}

} // namespace purslet
