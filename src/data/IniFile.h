#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <vector>

namespace purslet {

// One settings-style file as the private-profile functions see it: sections
// and keys compare without regard to letter case, values are trimmed, lines
// starting with ";" are comments. Bytes are code page 932 with CR LF; a file
// that starts with a UTF-8 byte order mark is read as UTF-8.
class IniFile final
{
public:
    enum class Encoding {
        Cp932,          // always (the catalogs, shared with other machines)
        Utf8WhenNeeded, // UTF-8 with a byte order mark when a value needs it
    };

    static IniFile parse(const QByteArray &bytes);
    QByteArray serialize(Encoding encoding = Encoding::Cp932) const;

    // The trimmed value, or a null string when the section or key is missing.
    QString value(const QString &section, const QString &key) const;
    // Replaces the key in place, or appends it at the end of its section;
    // creates the section at the end of the file when it is missing.
    void setValue(const QString &section, const QString &key, const QString &value);
    // Takes out the first section of the name with all its lines.
    void removeSection(const QString &section);
    // Gives the first section of the name another name, its lines unchanged.
    void renameSection(const QString &from, const QString &to);
    bool isEmpty() const { return m_lines.empty(); }

private:
    struct Line
    {
        enum Kind { Other, Section, Entry } kind = Other;
        QString text;  // the whole line as read, for lines we keep unchanged
        QString name;  // section name or key
        QString value; // entry value, trimmed
    };
    // Where the first section of a name stands: a catalog of 32,768 entries
    // is read with one lookup per section, not one scan of the file per key.
    struct SectionIndex
    {
        size_t line = 0;      // the section's own line
        size_t lastEntry = 0; // its last entry, or its own line
        size_t end = 0;       // the line after it
    };
    const SectionIndex *findSection(const QString &section) const;
    size_t findKey(const SectionIndex &section, const QString &key) const;
    void buildIndex() const;

    std::vector<Line> m_lines;
    mutable QHash<QString, SectionIndex> m_index;
    mutable bool m_indexed = false;
    mutable bool m_repeatedNames = false; // a later section hidden behind an earlier one of its name
};

} // namespace purslet
