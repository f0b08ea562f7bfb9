#pragma once

#include "ledger/Book.h"
#include "matters/IniStore.h"
#include "matters/MatterList.h"
#include "state/MenuState.h"

#include <QString>

#include <functional>

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

    std::function<void()> onChanged; // window title or modified flag changed
};

// What the entry window holds that other routines read and fill.
struct EntryState
{
    bool optIncome = true; // optCashier(0)
    MatterList cmbMatter;
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
};

} // namespace purslet
