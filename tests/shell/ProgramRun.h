#pragma once

#include "platform/Codepage.h"

#include <QByteArrayList>
#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

namespace purslet::test {

struct Outcome
{
    int exitCode = -1; // -1: ended by a signal
    QString out;
    QString err;
};

struct RunOptions
{
    qint64 memoryLimit = 0;     // bytes of data the program may hold, 0 for no limit
    bool unprivileged = false;  // as "nobody" when the tests run as the superuser, whom no mode stops
};

// The real program, built beside the tests' folder.
inline QString programPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../purslet");
}

// Runs the program with PURSLET_HOME set by the TempHome in scope; standard
// input is the given bytes and then closed, so it is never a terminal.
inline Outcome runProgram(const QStringList &arguments, const QByteArray &input = {}, RunOptions options = {})
{
    QProcess process;
    QString program = programPath();
    QStringList args = arguments;
    if (options.unprivileged && ::geteuid() == 0) {
        args = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", program} + args;
        program = QStringLiteral("setpriv");
    }
#if defined(__SANITIZE_ADDRESS__)
    options.memoryLimit = 0; // the sanitizer's shadow memory alone is more
#endif
    if (options.memoryLimit > 0) {
        process.setChildProcessModifier([limit = options.memoryLimit] {
            const rlimit data{rlim_t(limit), rlim_t(limit)};
            ::setrlimit(RLIMIT_DATA, &data);
        });
    }
    process.start(program, args);
    EXPECT_TRUE(process.waitForStarted(10000)) << qPrintable(program);
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000));
    Outcome run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// A field of an own book file: each character's code page 932 code with the top bit flipped.
inline QByteArray encoded(const QString &text)
{
    QByteArray out;
    const QByteArray bytes = ToCp932(text);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        unsigned code = quint8(bytes[i]);
        if ((code >= 0x81 && code <= 0x9F) || (code >= 0xE0 && code <= 0xFC))
            code = code * 256 + quint8(bytes[++i]);
        out += QByteArray::number((code + 0x8000) & 0xFFFF, 16).toUpper().rightJustified(4, '0');
    }
    return out;
}

inline QByteArray ownBook(const QString &password, const QList<QStringList> &records)
{
    QByteArray bytes = '"' + encoded(password) + "\"\r\n";
    for (const QStringList &record : records) {
        QByteArrayList fields;
        for (const QString &field : record)
            fields << '"' + encoded(field) + '"';
        bytes += fields.join(',') + "\r\n";
    }
    return bytes;
}

} // namespace purslet::test
