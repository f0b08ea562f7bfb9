#include "presenters/FileCommands.h"

#include "operations/BookReader.h"
#include "state/BookFile.h"
#include "files/BookWriter.h"
#include "files/FileHistory.h"
#include "operations/BookOperations.h"
#include "platform/ErrorDialogs.h"
#include "platform/ProgramFolder.h"
#include "state/App.h"

#include <QDir>

namespace purslet {

namespace {
const QString kFilter = QStringLiteral("Pursletファイル (*.psl)|*.psl|暗号化された出納帳 (*.pslx)|*.pslx|"
                                       "カンマ区切りファイル (*.csv)|*.csv|"
                                       "テキストファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*");
} // namespace

// A relative path becomes one that names the book from any folder: in the
// recent files and for a Save after the working folder changed. Nothing is
// resolved, so that ".." after a symbolic link still means what it meant.
QString CommandLineBookPath(QString text)
{
    while (text.startsWith(QLatin1String("./")))
        text.remove(0, 2);
    return QDir::current().filePath(text);
}

FileDialogRequest FileCommands::dialogRequest(const QString &title, const QString &initialPath)
{
    FileDialogRequest r;
    r.title = title;
    r.filter = kFilter;
    r.defaultSuffix = QStringLiteral("psl");
    r.initialPath = initialPath;
    return r;
}

bool FileCommands::saveQuestion()
{
    if (!m_app.doc.modified)
        return true;
    const MsgAnswer answer =
        m_app.ui.messageBox(QStringLiteral("ファイルの変更内容を保存しますか？"), QStringLiteral("ファイルの保存"),
                            MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes);
    // Only No throws the changes away; a question left unanswered keeps them.
    if (answer == MsgAnswer::Cancel)
        return false;
    if (answer != MsgAnswer::Yes)
        return true;
    return save();
}

void FileCommands::fileNew_Click()
{
    if (!saveQuestion())
        return;
    NewBook(m_app);
}

void FileCommands::fileOpen_Click()
{
    if (!saveQuestion())
        return;
    QString chosen;
    FileDialogRequest request = dialogRequest(QStringLiteral("ファイルを開く"), m_app.doc.path);
    request.askCreate = true;
    if (!RunInlineStep(m_app.ui, [&] { chosen = m_app.ui.openFileDialog(request); }))
        return;
    if (chosen.isEmpty())
        return;
    openPath(chosen);
}

void FileCommands::fileHistory_Click(int index)
{
    const QStringList &history = m_app.menu.history();
    if (index < 1 || index > history.size())
        return;
    // Taken before the save question: its Save As reorders the list.
    const QString chosen = history.at(index - 1);
    if (!saveQuestion())
        return;
    openPath(chosen);
}

void FileCommands::openFromCommandLine(const QString &text)
{
    if (text.isEmpty())
        return;
    const QString path = CommandLineBookPath(text);
    // Only a book the reader built may survive the start-up reset; one it
    // refused (a wrong password, a file it could not open) was never laid out.
    if (openPath(path))
        m_app.book.SkipNextReset = true;
}

bool FileCommands::openPath(const QString &path)
{
    const PreviousFile previous{m_app.doc.path, m_app.doc.title};
    m_app.doc.path = path;
    m_app.doc.title = FileTitleOf(path);
    m_app.doc.openRefused = false;
    return FileReading(m_app, m_app.doc.title, previous) != ReadResult::Refused;
}

void FileCommands::fileSave_Click()
{
    save();
}

void FileCommands::fileWrite_Click()
{
    saveAs();
}

bool FileCommands::save()
{
    if (m_app.doc.path.isEmpty())
        return saveAs();
    // FileWriting replaces the file in one step, so a failure keeps the old
    // file and leaves the book modified.
    return write();
}

bool FileCommands::write()
{
    bool cancelled = false;
    // A cancelled password writes nothing: like a cancelled dialog, the
    // command waiting on the save does not go on.
    return RunInlineStep(m_app.ui, [&] { cancelled = !FileWriting(m_app); }) && !cancelled;
}

bool FileCommands::saveAs()
{
    QString chosen;
    bool cancelled = false;
    FileDialogRequest request = dialogRequest(QStringLiteral("ファイルの保存"), m_app.doc.path);
    request.askOverwrite = true;
    if (!RunInlineStep(m_app.ui, [&] {
            chosen = m_app.ui.saveFileDialog(request);
            cancelled = chosen.isEmpty();
        }))
        return false;
    // Nothing was saved: a command waiting on the save must not drop the
    // book the user meant to keep.
    if (cancelled)
        return false;
    if (chosen.isEmpty()) // the dialog failed and the user chose to go on
        return true;
    // Another kind written through a link to the book's own file would
    // turn the book into that kind: refused before the book is renamed.
    if (ReplacesOpenBook(m_app, chosen)) {
        m_app.ui.messageBox(QStringLiteral("指定したファイルは開いている出納帳のファイルそのものです。"
                                           "別の種類で保存すると出納帳が失われるため、保存できません。"),
                            QStringLiteral("保存エラー"), MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok);
        return false;
    }
    // Named before the write, so that after a failed write a Save still
    // goes where the title says.
    NameBookFile(m_app, chosen);
    if (!write())
        return false;
    return RunInlineStep(m_app.ui, [&] { UpdateFileHistory(m_app); });
}

} // namespace purslet
