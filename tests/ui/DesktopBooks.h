#pragma once

#include "UiDriving.h"

#include "files/BookKind.h"

#include <QByteArray>
#include <QString>

namespace purslet {
class DesktopSession;
}

namespace purslet::test {

// Without a window manager nothing gives the main window the keyboard back
// after a message box: this does.
void activate(DesktopSession &s);
// Starts the program on the book and waits until its window is active.
void startActive(DesktopSession &s, const QString &commandLine);
// Records an income of today in the entry window, as typed there.
void record(DesktopSession &s, const char *amount);
QString lastText(const ScriptedQtUi &ui);

int recordsIn(const QByteArray &bytes, BookKind kind);
// Records of 1, 2, 3... yen of income on 2026/01/01, 02, 03...
QByteArray ownBook(int records, BookKind kind = BookKind::Own);
// Three records whose second does not decode.
QByteArray brokenBook(BookKind kind);

} // namespace purslet::test
