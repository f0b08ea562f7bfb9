#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace purslet {

// One settings-style file as the private-profile functions see it: sections
// and keys compare without regard to letter case, values are trimmed, lines
// starting with ";" are comments. Bytes are code page 932 with CR LF.
class IniFile final
{
public:
    static IniFile parse(const QByteArray &bytes);
    QByteArray serialize() const;

    // The trimmed value, or a null string when the section or key is missing.
    QString value(const QString &section, const QString &key) const;
    // Replaces the key in place, or appends it at the end of its section;
    // creates the section at the end of the file when it is missing.
    void setValue(const QString &section, const QString &key, const QString &value);
    bool isEmpty() const { return m_lines.empty(); }

private:
    struct Line
    {
        enum Kind { Other, Section, Entry } kind = Other;
        QString text;  // the whole line as read, for lines we keep unchanged
        QString name;  // section name or key
        QString value; // entry value, trimmed
    };
    int findSection(const QString &section) const;

    std::vector<Line> m_lines;
};

} // namespace purslet
