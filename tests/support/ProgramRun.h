#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace purslet::test {

struct ProgramRun
{
    int exitCode = -1; // -1 when it did not start or end normally
    QString out;
    QString err;
};

struct RunOptions
{
    qint64 memoryLimit = 0;    // bytes of data the program may hold, 0 for no limit
    bool unprivileged = false; // as "nobody" when the tests run as the superuser, whom no mode stops
};

// The real program, built beside the tests' folder.
QString ProgramPath();

// Runs the real program, built beside the tests' folder, with the
// environment of the test (PURSLET_HOME of the TempHome in scope). Standard
// input is the given bytes and then closed, so it is never a terminal.
ProgramRun RunProgram(const QStringList &arguments, const QByteArray &input = {}, RunOptions options = {});

} // namespace purslet::test
