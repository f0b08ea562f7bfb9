#include "ui/DesktopMain.h"

#include <QApplication>

#include <cups/cups.h>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // No printer at all, whatever the machine has: a server that is not there.
    qputenv("CUPS_SERVER", "/nonexistent/purslet-test/cups.sock");
    cupsSetServer("/nonexistent/purslet-test/cups.sock");
    // Printing needs no screen, not even to list the tests.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    purslet::InstallJapaneseFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
