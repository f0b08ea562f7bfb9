#include "TempHome.h"

#include "platform/Codepage.h"

#include <QFile>

namespace purslet::test {

TempHome::TempHome() : m_oldHome(qgetenv("PURSLET_HOME")), m_hadHome(qEnvironmentVariableIsSet("PURSLET_HOME"))
{
    qputenv("PURSLET_HOME", m_dir.path().toLocal8Bit());
}

TempHome::~TempHome()
{
    if (m_hadHome)
        qputenv("PURSLET_HOME", m_oldHome);
    else
        qunsetenv("PURSLET_HOME");
}

void TempHome::write(const QString &name, const QByteArray &bytes) const
{
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

void TempHome::writeText(const QString &name, const QString &text) const
{
    QString crlf = text;
    crlf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    write(name, ToCp932(crlf));
}

QByteArray TempHome::read(const QString &name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool TempHome::exists(const QString &name) const
{
    return QFile::exists(file(name));
}

} // namespace purslet::test
