#pragma once

#include <QString>
#include <QStringView>

namespace purslet {

// Takes the comma-separated fields of a book file one after another,
// regardless of where lines end. Blanks before a field are skipped; a quoted
// field runs to its closing quote (a doubled quote inside stands for one
// quote) and anything after that quote up to the next comma or line end is
// skipped; an unquoted field runs to the next comma or line end. CR LF, LF
// and CR each end a line.
class FieldReader final
{
public:
    explicit FieldReader(QStringView data) : m_data(data) {}

    // True when nothing but blanks and line ends is left.
    bool atEnd() const;

    // The next field's text without its quotes; false when the data ended
    // before a field started.
    bool next(QStringView &raw, bool &hasDoubledQuotes);
    // The same with doubled quotes made single.
    bool next(QString &field);

    qsizetype position() const { return m_pos; }

private:
    void skipBlanks();
    void skipLineEndOrComma();

    QStringView m_data;
    qsizetype m_pos = 0;
    bool m_afterComma = false;
};

} // namespace purslet
