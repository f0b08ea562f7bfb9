#include "files/FieldReader.h"

#include <cstring>

namespace purslet {

namespace {
char16_t unit(QChar c)
{
    return c.unicode();
}

char16_t unit(char c)
{
    return uchar(c);
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

bool isLineEnd(char16_t c)
{
    return c == u'\r' || c == u'\n';
}

bool isDelimiter(char16_t c)
{
    return c == u',' || isLineEnd(c);
}

// Where the next quote is at or after `from`, or the size.
qsizetype nextQuote(QStringView data, qsizetype from)
{
    const qsizetype at = data.indexOf(u'"', from);
    return at < 0 ? data.size() : at;
}

qsizetype nextQuote(QByteArrayView data, qsizetype from)
{
    const void *hit = std::memchr(data.data() + from, '"', size_t(data.size() - from));
    return hit ? static_cast<const char *>(hit) - data.data() : data.size();
}

QString toText(QStringView raw)
{
    return raw.toString();
}

QString toText(QByteArrayView raw)
{
    return QString::fromUtf8(raw);
}
} // namespace

template <typename View>
bool BasicFieldReader<View>::atEnd() const
{
    // Remembered, so that a long run of line ends is not scanned once per record.
    if (m_nextContent >= m_pos)
        return false;
    for (qsizetype i = m_pos; i < m_data.size(); ++i) {
        const char16_t c = unit(m_data[i]);
        // Ctrl-Z ends old DOS text files.
        if (!isBlank(c) && !isLineEnd(c) && c != u'\x1A') {
            m_nextContent = i;
            return false;
        }
    }
    return true;
}

template <typename View>
void BasicFieldReader<View>::skipBlanks()
{
    while (m_pos < m_data.size() && isBlank(unit(m_data[m_pos])))
        ++m_pos;
}

template <typename View>
void BasicFieldReader<View>::skipLineEndOrComma()
{
    m_afterComma = false;
    if (m_pos >= m_data.size())
        return;
    const char16_t c = unit(m_data[m_pos]);
    if (c == u',') {
        m_afterComma = true;
        ++m_pos;
    } else if (c == u'\r') {
        ++m_pos;
        if (m_pos < m_data.size() && unit(m_data[m_pos]) == u'\n')
            ++m_pos;
    } else if (c == u'\n') {
        ++m_pos;
    }
}

template <typename View>
bool BasicFieldReader<View>::next(View &raw, bool &hasDoubledQuotes)
{
    hasDoubledQuotes = false;
    m_cutOff = false;
    skipBlanks();
    const qsizetype size = m_data.size();
    if (m_pos >= size) {
        // "a,b," ends in an empty field; a record cut short does not.
        if (!m_afterComma)
            return false;
        m_afterComma = false;
        raw = View();
        return true;
    }
    if (unit(m_data[m_pos]) == u'"') {
        const qsizetype start = ++m_pos;
        qsizetype end = -1;
        while ((m_pos = nextQuote(m_data, m_pos)) < size) {
            if (m_pos + 1 < size && unit(m_data[m_pos + 1]) == u'"') {
                hasDoubledQuotes = true;
                m_pos += 2;
                continue;
            }
            end = m_pos++;
            break;
        }
        m_cutOff = end < 0;
        if (m_cutOff)
            end = size;
        raw = m_data.sliced(start, end - start);
        while (m_pos < size && !isDelimiter(unit(m_data[m_pos])))
            ++m_pos;
    } else {
        const qsizetype start = m_pos;
        while (m_pos < size && !isDelimiter(unit(m_data[m_pos])))
            ++m_pos;
        raw = m_data.sliced(start, m_pos - start);
    }
    skipLineEndOrComma();
    return true;
}

template <typename View>
bool BasicFieldReader<View>::next(QString &field)
{
    View raw;
    bool doubled = false;
    if (!next(raw, doubled))
        return false;
    field = toText(raw);
    if (doubled)
        field.replace(QLatin1String("\"\""), QLatin1String("\""));
    return true;
}

template class BasicFieldReader<QStringView>;
template class BasicFieldReader<QByteArrayView>;

} // namespace purslet
