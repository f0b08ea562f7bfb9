#include "ProgramRun.h"

#include <QCoreApplication>
#include <QProcess>

namespace purslet::test {

ProgramRun RunProgram(const QStringList &arguments, const QByteArray &input)
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../purslet");
    QProcess process;
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForStarted(10000)) {
        run.err = program + QStringLiteral(": ") + process.errorString();
        return run;
    }
    process.write(input);
    process.closeWriteChannel();
    const bool finished = process.waitForFinished(60000);
    run.exitCode = finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace purslet::test
