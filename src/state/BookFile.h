#pragma once

#include <QString>

namespace purslet {

class App;

// The Save item's caption: plain for a book never saved, else naming the
// file's title, so that the menu says where Save writes.
inline const QString kDefaultSaveCaption = QStringLiteral("上書き保存(&S)");
QString SaveCaption(const QString &title);
// The main window's title for the book's file path; empty for a book never saved.
QString BookWindowTitle(const QString &path);

// Makes the current file path, the window title and the Save caption name
// `path`; the empty path is a book never saved. A Save then writes where the
// title says.
void NameBookFile(App &app, const QString &path);

} // namespace purslet
