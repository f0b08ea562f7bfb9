#include "UiTests.h"

#include "ui/DesktopMain.h"
#include "ui/LinkedDrawing.h"

#include <QApplication>
#include <QStandardPaths>

std::vector<UiTestRun> &UiTests()
{
    static std::vector<UiTestRun> tests;
    return tests;
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    // Qt's dialogs as the program shows them.
    purslet::InstallQtTranslations();
    // The charts and printing linked in, in place of the program's module.
    purslet::UseDrawingParts(&purslet::LinkedDrawingParts());
    int failures = 0;
    for (const UiTestRun &run : UiTests())
        failures += run(argc, argv);
    return failures == 0 ? 0 : 1;
}
