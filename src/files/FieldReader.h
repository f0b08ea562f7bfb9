#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace purslet {

// Takes the comma-separated fields of a book file one after another,
// regardless of where lines end. Blanks before a field are skipped; a quoted
// field runs to its closing quote (a doubled quote inside stands for one
// quote) and anything after that quote up to the next comma or line end is
// skipped; an unquoted field runs to the next comma or line end. CR LF, LF
// and CR each end a line. Works on decoded text or, for the encoded kinds,
// straight on the file's bytes (a delimiter byte never occurs inside a
// code page 932 or UTF-8 character).
template <typename View>
class BasicFieldReader final
{
public:
    explicit BasicFieldReader(View data) : m_data(data) {}

    // True when nothing but blanks and line ends is left.
    bool atEnd() const;

    // The next field without its quotes; false when the data ended before a
    // field started. Doubled quotes are left doubled in `raw`.
    bool next(View &raw, bool &hasDoubledQuotes);
    // The field as text with doubled quotes made single.
    bool next(QString &field);
    // The last field began with a quote that the data ended before closing.
    bool cutOff() const { return m_cutOff; }

private:
    void skipBlanks();
    void skipLineEndOrComma();

    View m_data;
    qsizetype m_pos = 0;
    bool m_afterComma = false;
    bool m_cutOff = false;
    mutable qsizetype m_nextContent = -1;
};

using FieldReader = BasicFieldReader<QStringView>;
using ByteFieldReader = BasicFieldReader<QByteArrayView>;

extern template class BasicFieldReader<QStringView>;
extern template class BasicFieldReader<QByteArrayView>;

} // namespace purslet
