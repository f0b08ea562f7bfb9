#include "files/BookFormat.h"

#include "files/BookCodec.h"
#include "files/Cp932Codes.h"
#include "files/FieldReader.h"
#include "ledger/Grid.h"
#include "platform/RuntimeError.h"

#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace purslet {

namespace {

const int kStoredColumns[5] = {0, 1, 2, 3, 5};

bool hasUtf8Bom(QByteArrayView bytes)
{
    return bytes.size() >= 3 && uchar(bytes[0]) == 0xEF && uchar(bytes[1]) == 0xBB && uchar(bytes[2]) == 0xBF;
}

bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

// Writes a text in code page 932; a character without a code becomes "?".
void appendCp932(QByteArray &out, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80) {
            out.append(char(c.unicode()));
            continue;
        }
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        const int code = Cp932CodeOf(c.unicode());
        if (code < 0)
            out.append('?');
        else if (code < 0x100)
            out.append(char(code));
        else
            out.append(char(code >> 8)).append(char(code & 0xFF));
    }
}

} // namespace

QString DecodeTextFile(QByteArrayView bytes)
{
    if (hasUtf8Bom(bytes))
        return QString::fromUtf8(bytes.sliced(3));
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    // Not the platform converter: it swaps the controls 0x1A, 0x1C and 0x7F.
    return Cp932ToText(bytes);
}

namespace {

// memchr runs through megabytes many times faster than a byte loop.
size_t lineCount(QByteArrayView bytes)
{
    size_t lines = 0;
    const char *p = bytes.data();
    const char *const end = p + bytes.size();
    while (p < end) {
        const void *hit = std::memchr(p, '\n', size_t(end - p));
        if (!hit)
            break;
        ++lines;
        p = static_cast<const char *>(hit) + 1;
    }
    return lines;
}

// Dates and matters repeat from record to record: one shared text per
// distinct field saves an allocation and a decoding for most of them.
class RepeatedFields
{
public:
    QString decode(QByteArrayView raw)
    {
        if (raw.isEmpty() || raw.size() > 256)
            return DecodeText(raw);
        auto it = m_known.constFind(raw);
        if (it != m_known.cend())
            return *it;
        QString text = DecodeText(raw);
        m_known.insert(raw, text);
        return text;
    }

private:
    QHash<QByteArrayView, QString> m_known; // views into the file's bytes
};

// Encoded kinds hold ASCII digits only: their bytes are read as they are.
ParsedBook parseEncoded(QByteArrayView bytes, BookKind kind)
{
    ParsedBook book;
    ByteFieldReader reader(bytes);
    QByteArrayView raw;
    bool doubled = false;
    if (kind == BookKind::Own) {
        if (!reader.next(raw, doubled)) {
            book.passwordError = RuntimeError::InputPastEnd;
        } else {
            try {
                book.password = DecodeText(raw);
            } catch (const RuntimeError &e) {
                book.passwordError = e.number();
            }
        }
    }
    book.records.reserve(lineCount(bytes) + 1);
    RepeatedFields dates, matters;
    while (!reader.atEnd()) {
        ParsedRecord record;
        for (size_t k = 0; k < record.fields.size(); ++k) {
            if (!reader.next(raw, doubled)) {
                record.error = RuntimeError::InputPastEnd;
                break;
            }
            if (record.error != 0)
                continue; // keep reading the record's fields to stay in step
            try {
                record.fields[k] = k == 0 ? dates.decode(raw) : k == 1 ? matters.decode(raw) : DecodeText(raw);
            } catch (const RuntimeError &e) {
                record.error = e.number();
            }
        }
        book.records.push_back(std::move(record));
    }
    return book;
}

ParsedBook parseText(QByteArrayView bytes)
{
    ParsedBook book;
    const QString text = DecodeTextFile(bytes);
    FieldReader reader(text);
    while (!reader.atEnd()) {
        ParsedRecord record;
        for (QString &field : record.fields) {
            if (!reader.next(field)) {
                record.error = RuntimeError::InputPastEnd;
                break;
            }
        }
        book.records.push_back(std::move(record));
    }
    return book;
}

} // namespace

ParsedBook ParseBook(QByteArrayView bytes, BookKind kind)
{
    return kind == BookKind::Text ? parseText(bytes) : parseEncoded(bytes, kind);
}

std::vector<BookRecord> RecordsOf(const Grid &cashier)
{
    std::vector<BookRecord> records;
    const int last = cashier.rows() - 4;
    if (last < 1)
        return records;
    records.reserve(size_t(last));
    for (int row = 1; row <= last; ++row) {
        BookRecord r;
        for (int k = 0; k < 5; ++k)
            r[size_t(k)] = cashier.text(row, kStoredColumns[k]);
        records.push_back(std::move(r));
    }
    return records;
}

namespace {

// The hexadecimal encoding written straight into the file's bytes: four
// upper-case digits per character (EncodeText gives the same text).
void appendEncoded(QByteArray &out, QStringView text)
{
    static const char kHex[] = "0123456789ABCDEF";
    const qsizetype start = out.size();
    out.resize(start + 4 * text.size());
    char *d = out.data() + start;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        int code = c.unicode() < 0x80 ? int(c.unicode()) : Cp932CodeOf(c.unicode());
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i; // one character outside the code page: one "?"
        if (code < 0)
            code = '?';
        const int sum = (code + 0x8000) & 0xFFFF;
        *d++ = kHex[(sum >> 12) & 0xF];
        *d++ = kHex[(sum >> 8) & 0xF];
        *d++ = kHex[(sum >> 4) & 0xF];
        *d++ = kHex[sum & 0xF];
    }
    out.truncate(d - out.constData());
}

void appendQuotedText(QByteArray &out, const QString &text)
{
    if (text.contains(QLatin1Char('"'))) {
        QString doubled = text;
        doubled.replace(QLatin1String("\""), QLatin1String("\"\""));
        appendCp932(out, doubled);
    } else {
        appendCp932(out, text);
    }
}

// Every field quoted, CR LF after each record. fieldOf(r, k) gives field k of record r.
template <typename FieldOf>
QByteArray serialize(size_t count, FieldOf fieldOf, BookKind kind, const QString &password)
{
    if (count > size_t(kMaxWrittenRecords))
        throw RuntimeError(RuntimeError::Overflow);
    qsizetype estimate = 16 + 4 * password.size();
    for (size_t r = 0; r < count; ++r)
        for (int k = 0; k < 5; ++k)
            estimate += (kind == BookKind::Text ? 2 : 4) * fieldOf(r, k).size() + 3;
    QByteArray out;
    out.reserve(estimate);

    const auto appendField = [&](const QString &text) {
        out.append('"');
        if (kind == BookKind::Text)
            appendQuotedText(out, text);
        else
            appendEncoded(out, text);
        out.append('"');
    };

    if (kind == BookKind::Own) {
        appendField(password);
        out.append("\r\n");
    }
    for (size_t r = 0; r < count; ++r) {
        for (int k = 0; k < 5; ++k) {
            if (k > 0)
                out.append(',');
            appendField(fieldOf(r, k));
        }
        out.append("\r\n");
    }
    return out;
}

} // namespace

QByteArray SerializeBook(const std::vector<BookRecord> &records, BookKind kind, const QString &password)
{
    return serialize(
        records.size(), [&](size_t r, int k) -> const QString & { return records[r][size_t(k)]; }, kind, password);
}

QByteArray SerializeBook(const Grid &cashier, BookKind kind, const QString &password)
{
    const int count = std::max(0, cashier.rows() - 4);
    return serialize(
        size_t(count),
        [&](size_t r, int k) -> const QString & { return cashier.text(int(r) + 1, kStoredColumns[k]); }, kind,
        password);
}

} // namespace purslet
