#pragma once

#include "data/BookKey.h"
#include "data/Book.h"
#include "data/IniStore.h"
#include "data/MatterList.h"
#include "state/MenuState.h"

#include <QString>

#include <functional>
#include <utility>
#include <vector>

namespace purslet {

class Ui;

// The book's file and the main window's caption.
struct DocumentState
{
    QString path;  // current file path; empty for a book never saved
    QString title; // last component of the path
    bool modified = false;
    bool openRefused = false;
    QString windowTitle = QStringLiteral("Purslet");
    // An encrypted book's key while the book is open, and the file it
    // protects: Save writes that file again without asking, and the undo
    // backup is encrypted under it. None for other books.
    BookKey key;
    QString keyFile;
    // What a new key is derived with; tests lower it for speed.
    KdfLimits newKeyLimits = DefaultKdfLimits();

    std::function<void()> onChanged; // window title or modified flag changed
};

// What the entry window holds that other routines read and fill.
struct EntryState
{
    static constexpr int MemoMaxLength = 8191;

    bool optIncome = true; // optCashier(0)
    MatterList cmbMatter;
    // txtMemo with its caret and selection, as the field has them.
    QString memo;
    int memoCaret = 0;
    int memoSelStart = 0;
    int memoSelLength = 0;

    // Longer text is cut as the field's own limit would; a selection that
    // does not fit leaves the caret alone. The memo is held as a file will
    // give it back (Cp932Form).
    void setMemo(const QString &text, int caret, int selStart = -1, int selLength = 0);
    QString memoSelectedText() const { return memo.mid(memoSelStart, memoSelLength); }

    // The record the entry window corrects: its row in the whole book and the
    // row the cash book shows it on; 0 while the window makes a new record.
    int changeRow = 0;
    int changeShownRow = 0;
};

// What a command changed that another window shows.
enum class AppChange {
    Entry, // the entry window's fields
    Book,  // the records: entered, deleted, read, undone or a new book
    Period, // the period shown: the whole book or another month
    Change, // a record asked to be corrected in the entry window, or no longer
};

// The one application object: owns the book, the menu state and the shared
// state, and is handed to every presenter. No globals.
class App final
{
public:
    explicit App(Ui &ui) : ui(ui) {}
    App(Ui &ui, const QString &folder) : ui(ui), ini(folder) {}

    Ui &ui;
    IniStore ini;
    Book book;
    DocumentState doc;
    MenuState menu;
    EntryState entry;

    QString programFile(const QString &name) const { return ini.folder() + QLatin1Char('/') + name; }

    void setModified(bool modified);
    void setWindowTitle(const QString &title);

    // Presenters learn of each other's changes here rather than by calling
    // each other's handlers. listen() gives the id that unlisten() takes.
    int listen(std::function<void(AppChange)> listener);
    void unlisten(int id);
    void notify(AppChange change);

private:
    std::vector<std::pair<int, std::function<void(AppChange)>>> m_listeners;
    int m_nextListener = 0;
};

} // namespace purslet
