#include "files/FieldReader.h"

namespace purslet {

namespace {
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}
} // namespace

bool FieldReader::atEnd() const
{
    for (qsizetype i = m_pos; i < m_data.size(); ++i) {
        const QChar c = m_data[i];
        // Ctrl-Z ends old DOS text files.
        if (!isBlank(c) && !isLineEnd(c) && c != u'\x1A')
            return false;
    }
    return true;
}

void FieldReader::skipBlanks()
{
    while (m_pos < m_data.size() && isBlank(m_data[m_pos]))
        ++m_pos;
}

void FieldReader::skipLineEndOrComma()
{
    m_afterComma = false;
    if (m_pos >= m_data.size())
        return;
    const QChar c = m_data[m_pos];
    if (c == u',') {
        m_afterComma = true;
        ++m_pos;
    } else if (c == u'\r') {
        ++m_pos;
        if (m_pos < m_data.size() && m_data[m_pos] == u'\n')
            ++m_pos;
    } else if (c == u'\n') {
        ++m_pos;
    }
}

bool FieldReader::next(QStringView &raw, bool &hasDoubledQuotes)
{
    hasDoubledQuotes = false;
    skipBlanks();
    if (m_pos >= m_data.size()) {
        // "a,b," ends in an empty field; a record cut short does not.
        if (!m_afterComma)
            return false;
        m_afterComma = false;
        raw = QStringView();
        return true;
    }
    const qsizetype size = m_data.size();
    if (m_data[m_pos] == u'"') {
        const qsizetype start = ++m_pos;
        qsizetype end = size;
        while (m_pos < size) {
            if (m_data[m_pos] == u'"') {
                if (m_pos + 1 < size && m_data[m_pos + 1] == u'"') {
                    hasDoubledQuotes = true;
                    m_pos += 2;
                    continue;
                }
                end = m_pos++;
                break;
            }
            ++m_pos;
        }
        raw = m_data.sliced(start, end - start);
        while (m_pos < size && m_data[m_pos] != u',' && !isLineEnd(m_data[m_pos]))
            ++m_pos;
    } else {
        const qsizetype start = m_pos;
        while (m_pos < size && m_data[m_pos] != u',' && !isLineEnd(m_data[m_pos]))
            ++m_pos;
        raw = m_data.sliced(start, m_pos - start);
    }
    skipLineEndOrComma();
    return true;
}

bool FieldReader::next(QString &field)
{
    QStringView raw;
    bool doubled = false;
    if (!next(raw, doubled))
        return false;
    field = raw.toString();
    if (doubled)
        field.replace(QLatin1String("\"\""), QLatin1String("\""));
    return true;
}

} // namespace purslet
