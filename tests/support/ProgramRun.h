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

// Runs the real program, built beside the tests' folder, with the
// environment of the test (PURSLET_HOME of the TempHome in scope). Standard
// input is the given bytes and then closed, so it is never a terminal.
ProgramRun RunProgram(const QStringList &arguments, const QByteArray &input = {});

} // namespace purslet::test
