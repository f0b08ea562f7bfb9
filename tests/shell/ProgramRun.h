#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace purslet::test {

struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

// The real program, built beside the tests' folder.
inline QString programPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../purslet");
}

// Runs the program with PURSLET_HOME set by the TempHome in scope; standard
// input is the given bytes and then closed, so it is never a terminal.
inline Outcome runProgram(const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    process.start(programPath(), arguments);
    EXPECT_TRUE(process.waitForStarted(10000)) << qPrintable(programPath());
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000));
    Outcome run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace purslet::test
