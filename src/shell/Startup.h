#pragma once

#include <QDate>
#include <QString>

#include <functional>

namespace purslet {

class Presenters;
class ShellView;

struct StartupOptions
{
    QString commandLine;                    // the book to open, as the platform handed it over
    std::function<void()> registerFileType; // the first step; its outcome is not looked at
    QDate today = QDate::currentDate();
};

// The start-up sequence, step by step: file type, main window with the
// command-line open, hidden child windows laid out from Setup.ini, the empty
// book, the main window's geometry, check marks, recent files, toolbar,
// status bar, total colours, and finally the child windows that are checked.
// A step that fails is skipped without a message.
void RunStartup(Presenters &presenters, ShellView &view, const StartupOptions &options);

} // namespace purslet
