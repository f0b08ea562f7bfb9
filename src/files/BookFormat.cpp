#include "files/BookFormat.h"

#include "files/BookCodec.h"
#include "files/FieldReader.h"
#include "data/Book.h"
#include "data/Grid.h"
#include "platform/Codepage.h"
#include "platform/HeapReserve.h"
#include "platform/RuntimeError.h"

#include <algorithm>
#include <cstring>

namespace purslet {

namespace {

const int kStoredColumns[5] = {0, 1, 2, 3, 5};

// One record more than a book holds: enough to refuse the file without
// holding the rest of it.
constexpr size_t kHeldRecords = size_t(kMaxRecords) + 1;

bool hasUtf8Bom(QByteArrayView bytes)
{
    return bytes.size() >= 3 && uchar(bytes[0]) == 0xEF && uchar(bytes[1]) == 0xBB && uchar(bytes[2]) == 0xBF;
}

enum class TextEncoding { Ascii, Utf8, Cp932 };

// UTF-8 only when the bytes are valid UTF-8 holding a character of three or
// more bytes (every kana and kanji). Code page 932 text can be valid UTF-8 by
// chance (half-width katakana pairs such as ﾏｲﾅｽ are), but hardly ever with
// such a character.
TextEncoding encodingOf(QByteArrayView bytes)
{
    bool ascii = true, wide = false;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const uchar b = uchar(bytes[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        ascii = false;
        int length;
        char32_t least;
        if (b >= 0xC2 && b <= 0xDF)
            length = 2, least = 0x80;
        else if (b >= 0xE0 && b <= 0xEF)
            length = 3, least = 0x800;
        else if (b >= 0xF0 && b <= 0xF4)
            length = 4, least = 0x10000;
        else
            return TextEncoding::Cp932;
        if (i + length > n)
            return TextEncoding::Cp932;
        char32_t cp = b & (0xFF >> (length + 1));
        for (int k = 1; k < length; ++k) {
            const uchar c = uchar(bytes[i + k]);
            if ((c & 0xC0) != 0x80)
                return TextEncoding::Cp932;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return TextEncoding::Cp932;
        wide = wide || length >= 3;
        i += length;
    }
    return ascii ? TextEncoding::Ascii : wide ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

QString decodeAs(TextEncoding encoding, QByteArrayView bytes)
{
    switch (encoding) {
    case TextEncoding::Ascii: return QString::fromLatin1(bytes);
    // The forms a Linux program writes (U+2212 minus, ...) read as the code
    // page's own characters, as typed text is kept: one matter, one name.
    case TextEncoding::Utf8: return Cp932Form(QString::fromUtf8(bytes));
    // Not the platform converter: it swaps the controls 0x1A, 0x1C and 0x7F.
    case TextEncoding::Cp932: return FromCp932(bytes);
    }
    return QString();
}

} // namespace

QString DecodeTextFile(QByteArrayView bytes)
{
    if (hasUtf8Bom(bytes))
        return decodeAs(TextEncoding::Utf8, bytes.sliced(3));
    return decodeAs(encodingOf(bytes), bytes);
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

// Dates, matters and amounts repeat from record to record: one shared text per
// distinct field saves an allocation and a decoding for most of them.
// An open-addressed table of views into the file's bytes, with a hash of a
// few instructions a word: the fields are short runs of hexadecimal digits.
class RepeatedFields
{
public:
    QString decode(QByteArrayView raw)
    {
        if (raw.isEmpty() || raw.size() > 256)
            return DecodeText(raw);
        if (2 * (m_used + 1) > m_slots.size())
            grow();
        const size_t hash = hashOf(raw);
        const size_t mask = m_slots.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot &slot = m_slots[i];
            if (slot.raw.isNull()) {
                QString text = DecodeText(raw);
                slot = Slot{raw, hash, text};
                ++m_used;
                return text;
            }
            if (slot.hash == hash && slot.raw == raw)
                return slot.text;
        }
    }

private:
    struct Slot
    {
        QByteArrayView raw; // null: free
        size_t hash = 0;
        QString text;
    };

    static size_t hashOf(QByteArrayView raw)
    {
        const char *p = raw.data();
        qsizetype n = raw.size();
        quint64 h = quint64(n) * 0x9E3779B97F4A7C15ull;
        for (; n >= 8; n -= 8, p += 8) {
            quint64 word;
            std::memcpy(&word, p, 8);
            h = (h ^ word) * 0xFF51AFD7ED558CCDull;
        }
        for (; n > 0; --n, ++p)
            h = (h ^ uchar(*p)) * 0x100000001B3ull;
        // The table takes the low bits: mix the high ones down.
        h ^= h >> 33;
        h *= 0xC4CEB9FE1A85EC53ull;
        return size_t(h ^ (h >> 33));
    }

    void grow()
    {
        const size_t size = m_slots.empty() ? 64 : 2 * m_slots.size();
        std::vector<Slot> old;
        old.reserve(size);
        PrefaultMemory(old.data(), size * sizeof(Slot));
        old.resize(size);
        old.swap(m_slots);
        const size_t mask = m_slots.size() - 1;
        for (Slot &slot : old) {
            if (slot.raw.isNull())
                continue;
            size_t i = slot.hash & mask;
            while (!m_slots[i].raw.isNull())
                i = (i + 1) & mask;
            m_slots[i] = std::move(slot);
        }
    }

    std::vector<Slot> m_slots;
    size_t m_used = 0;
};

// Encoded kinds hold ASCII digits only: their bytes are read as they are.
ParsedBook parseEncoded(QByteArrayView bytes, BookKind kind)
{
    ParsedBook book;
    ByteFieldReader reader(bytes);
    QByteArrayView raw;
    bool doubled = false;
    if (kind == BookKind::Own) {
        if (!reader.next(raw, doubled) || reader.cutOff()) {
            book.passwordError = RuntimeError::InputPastEnd;
        } else {
            try {
                book.password = DecodeText(raw);
            } catch (const RuntimeError &e) {
                book.passwordError = e.number();
            }
        }
    }
    book.records.reserve(std::min(lineCount(bytes) + 1, kHeldRecords));
    PrefaultMemory(book.records.data(), book.records.capacity() * sizeof(ParsedRecord));
    RepeatedFields dates, matters, amounts;
    while (!reader.atEnd() && book.records.size() < kHeldRecords) {
        ParsedRecord record;
        for (size_t k = 0; k < record.fields.size(); ++k) {
            if (!reader.next(raw, doubled)) {
                record.error = RuntimeError::InputPastEnd;
                break;
            }
            if (reader.cutOff() && record.error == 0)
                record.error = RuntimeError::InputPastEnd;
            else if (record.error != 0)
                continue; // keep reading the record's fields to stay in step
            try {
                record.fields[k] = k == 0   ? dates.decode(raw)
                                   : k == 1 ? matters.decode(raw)
                                   : k < 4  ? amounts.decode(raw)
                                            : DecodeText(raw);
            } catch (const RuntimeError &e) {
                if (record.error == 0)
                    record.error = e.number();
            }
        }
        book.records.push_back(std::move(record));
    }
    return book;
}

// Taken apart on the bytes, each field decoded on its own: a delimiter
// byte never occurs inside a code page 932 or UTF-8 character, and the file
// is never held twice.
ParsedBook parseText(QByteArrayView bytes, BookKind kind)
{
    ParsedBook book;
    TextEncoding encoding = TextEncoding::Utf8;
    if (kind == BookKind::Encrypted)
        encoding = TextEncoding::Cp932; // written by this program: never guessed
    else if (hasUtf8Bom(bytes))
        bytes = bytes.sliced(3);
    else
        encoding = encodingOf(bytes);
    ByteFieldReader reader(bytes);
    QByteArrayView raw;
    bool doubled = false;
    while (!reader.atEnd() && book.records.size() < kHeldRecords) {
        ParsedRecord record;
        for (QString &field : record.fields) {
            if (!reader.next(raw, doubled)) {
                record.error = RuntimeError::InputPastEnd;
                break;
            }
            if (reader.cutOff())
                record.error = RuntimeError::InputPastEnd;
            field = decodeAs(encoding, raw);
            if (doubled)
                field.replace(QLatin1String("\"\""), QLatin1String("\""));
        }
        book.records.push_back(std::move(record));
    }
    return book;
}

} // namespace

ParsedBook ParseBook(QByteArrayView bytes, BookKind kind)
{
    return HasPlainFields(kind) ? parseText(bytes, kind) : parseEncoded(bytes, kind);
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

void appendQuotedText(QByteArray &out, const QString &text)
{
    if (text.contains(QLatin1Char('"'))) {
        QString doubled = text;
        doubled.replace(QLatin1String("\""), QLatin1String("\"\""));
        AppendCp932(out, doubled);
    } else {
        AppendCp932(out, text);
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
            estimate += (HasPlainFields(kind) ? 2 : 4) * fieldOf(r, k).size() + 3;
    QByteArray out;
    out.reserve(estimate);

    const auto appendField = [&](const QString &text) {
        out.append('"');
        if (HasPlainFields(kind))
            appendQuotedText(out, text);
        else
            AppendEncodedText(out, text);
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
