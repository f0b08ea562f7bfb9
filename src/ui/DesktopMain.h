#pragma once

#include "shell/Presenters.h"
#include "state/App.h"
#include "ui/MainWindow.h"

#include <QString>

namespace purslet {

class QtUi;

// The composition root: the application object, every presenter and the
// main window, wired together. The desktop program runs one; the GUI tests
// run several in a row against the same program folder.
class DesktopSession final
{
public:
    explicit DesktopSession(QtUi &ui);
    DesktopSession(const DesktopSession &) = delete;
    DesktopSession &operator=(const DesktopSession &) = delete;

    // The start-up sequence; registerFileType is off in tests.
    void start(const QString &commandLine, bool registerFileType = true);

    QtUi &ui;
    App app;
    Presenters presenters;
    MainWindow window;
};

// Registers the pictures of the widget library (toolbar, icon).
void InitResources();

// The Japanese font names the program uses, mapped to the installed IPA fonts.
void InstallJapaneseFonts();

// Qt's own Japanese texts for its dialogs, and the Japanese locale.
void InstallQtTranslations();

// The desktop program: start-up, then the event loop.
int RunDesktop(int argc, char **argv);

} // namespace purslet
