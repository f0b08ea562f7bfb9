#include "files/Backup.h"

#include "files/BookWriter.h"
#include "platform/AtomicFile.h"
#include "platform/ErrorDialogs.h"
#include "platform/RuntimeError.h"
#include "state/App.h"

#include <QFile>
#include <QScopeGuard>

namespace purslet {

namespace {

constexpr MatterKind kKinds[] = {MatterKind::Income, MatterKind::Outgo};
// As much as the catalog reader takes.
constexpr qint64 kMaxCatalogBytes = qint64(16) << 20;

QString catalogPath(const App &app, MatterKind kind)
{
    return app.ini.pathOf(Describe(kind).catalog);
}

QString copyPath(const App &app, MatterKind kind)
{
    return catalogPath(app, kind) + QLatin1String(".bak");
}

void removeIfThere(const QString &path)
{
    if (QFile::exists(path))
        RemoveFile(path);
}

// A book the user opened under a copy's name is no copy of ours: never
// removed, overwritten or read as a catalog.
bool isOpenBook(const App &app, const QString &path)
{
    return !app.doc.path.isEmpty() && IsSameFile(path, app.doc.path);
}

const QString kPointsAtBook = QStringLiteral("バックアップファイルが開いている出納帳のファイルを指しているため、"
                                             "バックアップを取れません。");

} // namespace

void TakeBackup(App &app, const QString &label, std::optional<MatterKind> catalog)
{
    const QString remembered = app.doc.path;
    const QString backup = app.programFile(kBackupFileName);
    bool whole = false;
    const bool goOn = RunStep(app.ui, [&] {
        if (ReplacesOpenBook(app, backup) || (catalog && isOpenBook(app, copyPath(app, *catalog))))
            throw RuntimeError(RuntimeError::PathFileAccess, kPointsAtBook);
        {
            app.doc.path = backup;
            // The book has its own file back before the error dialog, whose
            // way out may save the book.
            const auto restore = qScopeGuard([&] { app.doc.path = remembered; });
            FileWriting(app);
        }
        for (MatterKind kind : kKinds)
            if (!isOpenBook(app, copyPath(app, kind)))
                removeIfThere(copyPath(app, kind));
        // A catalog that is not there is not written by the change either.
        if (catalog && QFile::exists(catalogPath(app, *catalog)))
            WriteFileAtomically(copyPath(app, *catalog), ReadWholeFile(catalogPath(app, *catalog), kMaxCatalogBytes),
                                SyncToDisk::No);
        whole = true;
    });
    if (!goOn)
        return;
    if (catalog && !whole) {
        DisableUndo(app);
        return;
    }
    app.menu.setEnabled(MenuItem::editUndo, true);
    app.menu.setCaption(MenuItem::editUndo, QStringLiteral("元に戻す(&U) -") + label);
}

void DisableUndo(App &app)
{
    app.menu.setEnabled(MenuItem::editUndo, false);
    app.menu.setCaption(MenuItem::editUndo, QStringLiteral("元に戻せません(&U)"));
}

CatalogRestore::CatalogRestore(App &app) : m_app(app)
{
    for (MatterKind kind : kKinds) {
        const QString copy = copyPath(app, kind);
        if (!QFile::exists(copy) || isOpenBook(app, copy))
            continue;
        const QString path = catalogPath(app, kind);
        RunStep(app.ui, [&] {
            const QByteArray kept = ReadWholeFile(copy, kMaxCatalogBytes);
            if (QFile::exists(path))
                m_replaced = ReadWholeFile(path, kMaxCatalogBytes);
            WriteFileAtomically(path, kept);
            app.ini.invalidate(Describe(kind).catalog);
            m_kind = kind;
            RemoveFile(copy);
        });
        return;
    }
}

void CatalogRestore::revert()
{
    if (!m_kind)
        return;
    const QString path = catalogPath(m_app, *m_kind);
    RunStep(m_app.ui, [&] {
        if (m_replaced)
            WriteFileAtomically(path, *m_replaced);
        else
            removeIfThere(path);
        m_app.ini.invalidate(Describe(*m_kind).catalog);
    });
    m_kind.reset();
}

void RemoveCatalogBackups(const App &app)
{
    for (MatterKind kind : kKinds)
        if (!isOpenBook(app, copyPath(app, kind)))
            QFile::remove(copyPath(app, kind));
}

} // namespace purslet
