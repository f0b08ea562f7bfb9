#include "PrivateCups.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <cups/cups.h>

namespace {

const QStringList kToolFolders = {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/sbin"),
                                  QStringLiteral("/bin")};

QString tool(const QString &name)
{
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty() ? QStandardPaths::findExecutable(name, kToolFolders) : found;
}

bool writeFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

// Gzip-to-any passes a plain file through unchanged: the job arrives as sent.
const char kPpd[] = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "FILEPDF.PPD"
*Manufacturer: "Test"
*Product: "(File)"
*ModelName: "PDF to file"
*ShortNickName: "PDF to file"
*NickName: "PDF to file"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter: "application/pdf 0 gziptoany"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "10 10 585 832"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
)PPD";

} // namespace

PrivateCups::PrivateCups()
    : m_oldServer(qgetenv("CUPS_SERVER")), m_hadServer(qEnvironmentVariableIsSet("CUPS_SERVER"))
{
    // cupsd as root hands filters to the user lp, who must reach the spool.
    QFile::setPermissions(m_dir.path(), QFile::permissions(m_dir.path()) | QFile::ReadGroup | QFile::ExeGroup
                                            | QFile::ReadOther | QFile::ExeOther);
    m_socket = m_dir.filePath(QStringLiteral("cups.sock"));
}

PrivateCups::~PrivateCups()
{
    if (m_cupsd.state() != QProcess::NotRunning) {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(5000))
            m_cupsd.kill();
        m_cupsd.waitForFinished(2000);
    }
    if (m_hadServer)
        qputenv("CUPS_SERVER", m_oldServer);
    else
        qunsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
}

bool PrivateCups::start(QString *why)
{
    const QString cupsd = tool(QStringLiteral("cupsd"));
    if (cupsd.isEmpty()) {
        *why = QStringLiteral("cupsd is not installed");
        return false;
    }
    QDir root(m_dir.path());
    for (const char *folder : {"conf", "spool", "spool/tmp", "cache", "state", "log", "out"})
        root.mkpath(QString::fromLatin1(folder));
    const QByteArray base = m_dir.path().toLocal8Bit();
    const QByteArray conf = "Listen " + m_socket.toLocal8Bit()
                            + "\n"
                              "LogLevel debug\n"
                              "WebInterface No\n"
                              "Browsing Off\n"
                              "DefaultAuthType None\n"
                              "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                              "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n";
    const QByteArray files = "ServerRoot " + base + "/conf\nRequestRoot " + base + "/spool\nTempDir " + base
                             + "/spool/tmp\nCacheDir " + base + "/cache\nStateDir " + base + "/state\nErrorLog "
                             + base + "/log/error_log\nAccessLog " + base + "/log/access_log\nPageLog " + base
                             + "/log/page_log\nFileDevice Yes\n";
    if (!writeFile(path(QStringLiteral("conf/cupsd.conf")), conf)
        || !writeFile(path(QStringLiteral("conf/cups-files.conf")), files)) {
        *why = QStringLiteral("cannot write the configuration");
        return false;
    }

    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), path(QStringLiteral("conf/cupsd.conf")),
                          QStringLiteral("-s"), path(QStringLiteral("conf/cups-files.conf"))});
    if (!m_cupsd.waitForStarted(5000)) {
        *why = QStringLiteral("cupsd does not start: ") + m_cupsd.errorString();
        return false;
    }
    // Everything after this talks to the private server, the program included.
    qputenv("CUPS_SERVER", m_socket.toLocal8Bit());
    cupsSetServer(m_socket.toLocal8Bit().constData());
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        QString answer;
        if (QFile::exists(m_socket) && run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &answer)
            && answer.contains(QStringLiteral("is running")))
            return true;
        if (m_cupsd.state() == QProcess::NotRunning)
            break;
        QThread::msleep(50);
    }
    *why = QStringLiteral("cupsd did not come up: ") + QString::fromLocal8Bit(m_cupsd.readAll()).trimmed() + " "
           + errorLog().right(600);
    return false;
}

bool PrivateCups::addQueue(const QString &name, const QString &outFile, QString *why)
{
    const QString ppd = path(QStringLiteral("file.ppd"));
    if (!writeFile(ppd, kPpd)) {
        *why = QStringLiteral("cannot write the PPD");
        return false;
    }
    QString output;
    if (!run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                                         QStringLiteral("file://") + outFile, QStringLiteral("-P"), ppd},
             &output)
        || !run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name}, &output)) {
        *why = QStringLiteral("lpadmin failed: ") + output;
        return false;
    }
    return true;
}

bool PrivateCups::run(const QString &program, const QStringList &arguments, QString *output)
{
    const QString path = tool(program);
    if (path.isEmpty()) {
        if (output)
            *output = program + QStringLiteral(" is not installed");
        return false;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path, QStringList{QStringLiteral("-h"), m_socket} + arguments);
    const bool finished = process.waitForFinished(15000);
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool PrivateCups::waitUntilIdle(int milliseconds)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QString jobs;
        if (run(QStringLiteral("lpstat"), {QStringLiteral("-o")}, &jobs) && jobs.trimmed().isEmpty())
            return true;
        QThread::msleep(100);
    }
    return false;
}

QString PrivateCups::errorLog() const
{
    QFile log(m_dir.filePath(QStringLiteral("log/error_log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}
