#include "matters/IniFile.h"

#include "platform/Codepage.h"

namespace purslet {

namespace {
bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
} // namespace

IniFile IniFile::parse(const QByteArray &bytes)
{
    IniFile file;
    const QString text = FromCp932(bytes);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        QString raw = text.mid(start, end - start);
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        start = end + 1;

        Line line;
        line.text = raw;
        const QString trimmed = raw.trimmed();
        if (trimmed.startsWith(QLatin1Char('['))) {
            const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
            line.kind = Line::Section;
            line.name = (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
        } else if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char(';'))) {
            const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
            if (eq > 0) {
                line.kind = Line::Entry;
                line.name = trimmed.left(eq).trimmed();
                line.value = trimmed.mid(eq + 1).trimmed();
            }
        }
        file.m_lines.push_back(std::move(line));
    }
    return file;
}

QByteArray IniFile::serialize() const
{
    QString text;
    for (const Line &line : m_lines) {
        switch (line.kind) {
        case Line::Section: text += QLatin1Char('[') + line.name + QLatin1Char(']'); break;
        case Line::Entry: text += line.name + QLatin1Char('=') + line.value; break;
        case Line::Other: text += line.text; break;
        }
        text += QLatin1String("\r\n");
    }
    return ToCp932(text);
}

int IniFile::findSection(const QString &section) const
{
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Line::Section && sameName(m_lines[i].name, section))
            return int(i);
    return -1;
}

QString IniFile::value(const QString &section, const QString &key) const
{
    const int s = findSection(section);
    if (s < 0)
        return QString();
    for (size_t i = size_t(s) + 1; i < m_lines.size() && m_lines[i].kind != Line::Section; ++i)
        if (m_lines[i].kind == Line::Entry && sameName(m_lines[i].name, key))
            return m_lines[i].value.isNull() ? QStringLiteral("") : m_lines[i].value;
    return QString();
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    Line entry;
    entry.kind = Line::Entry;
    entry.name = key;
    entry.value = value.trimmed();

    int s = findSection(section);
    if (s < 0) {
        Line head;
        head.kind = Line::Section;
        head.name = section;
        m_lines.push_back(head);
        m_lines.push_back(entry);
        return;
    }
    size_t lastEntry = size_t(s);
    size_t i = size_t(s) + 1;
    for (; i < m_lines.size() && m_lines[i].kind != Line::Section; ++i) {
        if (m_lines[i].kind == Line::Entry) {
            if (sameName(m_lines[i].name, key)) {
                m_lines[i].value = entry.value;
                return;
            }
            lastEntry = i;
        }
    }
    m_lines.insert(m_lines.begin() + qsizetype(lastEntry) + 1, entry);
}

} // namespace purslet
