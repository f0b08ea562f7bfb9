#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace purslet::test {

// A fresh program folder for one test: PURSLET_HOME points at it while the
// object lives.
class TempHome
{
public:
    TempHome();
    ~TempHome();

    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.path() + QLatin1Char('/') + name; }
    void write(const QString &name, const QByteArray &bytes) const;
    // Writes UTF-8 text as code page 932 with CR LF line ends.
    void writeText(const QString &name, const QString &text) const;
    QByteArray read(const QString &name) const;
    bool exists(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
    bool m_hadHome;
};

} // namespace purslet::test
