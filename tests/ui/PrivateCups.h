#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A CUPS server of the test's own: configuration, spool, logs and socket in a
// temporary folder, never the machine's. The program reaches it through
// CUPS_SERVER; its queues write each job to a file.
class PrivateCups
{
public:
    PrivateCups();
    ~PrivateCups();

    // False, with the reason, when cupsd cannot run on this machine.
    bool start(QString *why);
    // A queue for A4 paper with margins of 10 points whose jobs (PDF, as
    // Qt sends them) arrive unchanged in `outFile`.
    bool addQueue(const QString &name, const QString &outFile, QString *why);
    // A CUPS command (lpadmin, cupsreject, lpstat ...) against this server.
    bool run(const QString &program, const QStringList &arguments, QString *output = nullptr);
    // Waits until no job is pending or printing.
    bool waitUntilIdle(int milliseconds);
    QString errorLog() const;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QProcess m_cupsd;
    QString m_socket;
    QByteArray m_oldServer;
    bool m_hadServer;
};
