#include "data/IniFile.h"

#include "platform/Codepage.h"

namespace purslet {

namespace {
const QByteArray kUtf8Bom("\xEF\xBB\xBF");
} // namespace

IniFile IniFile::parse(const QByteArray &bytes)
{
    IniFile file;
    const QString text = bytes.startsWith(kUtf8Bom) ? QString::fromUtf8(bytes.sliced(kUtf8Bom.size()))
                                                    : FromCp932(bytes);
    const QStringView all(text);
    file.m_lines.reserve(size_t(all.count(QLatin1Char('\n')) + 1));
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = all.size();
        QStringView raw = all.sliced(start, end - start);
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        start = end + 1;

        // Views until the end: a catalog has a hundred thousand lines.
        Line line;
        const QStringView trimmed = raw.trimmed();
        const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
        if (trimmed.startsWith(QLatin1Char('['))) {
            const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
            line.kind = Line::Section;
            line.name = (close < 0 ? trimmed.sliced(1) : trimmed.sliced(1, close - 1)).trimmed().toString();
        } else if (eq > 0 && !trimmed.startsWith(QLatin1Char(';'))) {
            line.kind = Line::Entry;
            line.name = trimmed.first(eq).trimmed().toString();
            line.value = trimmed.sliced(eq + 1).trimmed().toString();
        } else {
            line.text = raw.toString();
        }
        file.m_lines.push_back(std::move(line));
    }
    return file;
}

QByteArray IniFile::serialize(Encoding encoding) const
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
    // A path in the recent files may hold what code page 932 cannot.
    if (encoding == Encoding::Utf8WhenNeeded && !FirstCharWithoutCp932(text).isEmpty())
        return kUtf8Bom + text.toUtf8();
    return ToCp932(text);
}

namespace {
bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
} // namespace

void IniFile::buildIndex() const
{
    m_index.clear();
    m_repeatedNames = false;
    SectionIndex *current = nullptr; // only the first section of a name counts
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (line.kind == Line::Section) {
            if (current)
                current->end = i;
            const QString name = line.name.toCaseFolded();
            m_repeatedNames = m_repeatedNames || m_index.contains(name);
            current = m_index.contains(name) ? nullptr : &m_index[name];
            if (current)
                current->line = current->lastEntry = i;
        } else if (line.kind == Line::Entry && current) {
            current->lastEntry = i;
        }
    }
    if (current)
        current->end = m_lines.size();
    m_indexed = true;
}

const IniFile::SectionIndex *IniFile::findSection(const QString &section) const
{
    if (!m_indexed)
        buildIndex();
    const auto it = m_index.constFind(section.toCaseFolded());
    return it == m_index.constEnd() ? nullptr : &*it;
}

// A section holds a few keys: looked for in its own lines.
size_t IniFile::findKey(const SectionIndex &section, const QString &key) const
{
    for (size_t i = section.line + 1; i < section.end; ++i)
        if (m_lines[i].kind == Line::Entry && sameName(m_lines[i].name, key))
            return i;
    return 0;
}

QString IniFile::value(const QString &section, const QString &key) const
{
    const SectionIndex *s = findSection(section);
    const size_t at = s ? findKey(*s, key) : 0;
    if (at == 0)
        return QString();
    const QString &value = m_lines[at].value;
    return value.isNull() ? QStringLiteral("") : value;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    Line entry;
    entry.kind = Line::Entry;
    entry.name = key;
    entry.value = value.trimmed();

    const SectionIndex *found = findSection(section);
    if (!found) {
        Line head;
        head.kind = Line::Section;
        head.name = section;
        SectionIndex &s = m_index[section.toCaseFolded()];
        s.line = m_lines.size();
        s.lastEntry = s.line + 1;
        s.end = s.line + 2;
        m_lines.push_back(std::move(head));
        m_lines.push_back(std::move(entry));
        return;
    }
    if (const size_t at = findKey(*found, key)) {
        m_lines[at].value = entry.value;
        return;
    }
    SectionIndex &s = m_index[section.toCaseFolded()];
    const size_t at = s.lastEntry + 1;
    m_lines.insert(m_lines.begin() + qsizetype(at), std::move(entry));
    if (at + 1 == m_lines.size()) {
        // Appended at the end of the file (a file built section by section).
        s.lastEntry = at;
        s.end = m_lines.size();
    } else {
        m_indexed = false; // the lines below moved
    }
}

void IniFile::removeSection(const QString &section)
{
    const SectionIndex *found = findSection(section);
    if (!found)
        return;
    m_lines.erase(m_lines.begin() + qsizetype(found->line), m_lines.begin() + qsizetype(found->end));
    m_indexed = false;
}

void IniFile::renameSection(const QString &from, const QString &to)
{
    const SectionIndex *found = findSection(from);
    if (!found)
        return;
    const SectionIndex moved = *found;
    m_lines[moved.line].name = to;
    // Renumbering a catalog renames every section after a removed one: the
    // index follows the one line instead of being built again each time.
    const QString target = to.toCaseFolded();
    if (m_repeatedNames || m_index.contains(target)) {
        m_indexed = false;
        return;
    }
    m_index.remove(from.toCaseFolded());
    m_index.insert(target, moved);
}

} // namespace purslet
