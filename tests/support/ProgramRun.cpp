#include "ProgramRun.h"

#include <QCoreApplication>
#include <QProcess>

#include <sys/resource.h>
#include <unistd.h>

namespace purslet::test {

QString ProgramPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../purslet");
}

ProgramRun RunProgram(const QStringList &arguments, const QByteArray &input, RunOptions options)
{
    QString program = ProgramPath();
    QStringList args = arguments;
    if (options.unprivileged && ::geteuid() == 0) {
        args = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                           QStringLiteral("--clear-groups"), program}
               + args;
        program = QStringLiteral("setpriv");
    }
#if defined(__SANITIZE_ADDRESS__)
    options.memoryLimit = 0; // the sanitizer's shadow memory alone is more
#endif
    QProcess process;
    if (options.memoryLimit > 0) {
        process.setChildProcessModifier([limit = options.memoryLimit] {
            const rlimit data{rlim_t(limit), rlim_t(limit)};
            ::setrlimit(RLIMIT_DATA, &data);
        });
    }
    process.start(program, args);
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
