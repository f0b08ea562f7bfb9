// The book parser on arbitrary bytes, read as each of the three kinds.
#include "files/BookCodec.h"
#include "files/BookFormat.h"
#include "files/FieldReader.h"
#include "platform/Codepage.h"
#include "platform/RuntimeError.h"

#include <QStringDecoder>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace purslet;

namespace {

// Names the broken property in the crash report.
#define check(condition)                                                                                     \
    do {                                                                                                       \
        if (!(condition)) {                                                                                    \
            std::fprintf(stderr, "property failed: %s (line %d)\n", #condition, __LINE__);                     \
            std::abort();                                                                                      \
        }                                                                                                      \
    } while (false)

QByteArray encoded(const QString &text)
{
    QByteArray out;
    AppendEncodedText(out, text);
    return out;
}

// The reader's rule for text files, spelled out apart from it: UTF-8 after
// a byte order mark, or when the bytes are valid UTF-8 holding a character
// of three or more bytes (U+0800 and above); code page 932 otherwise.
bool readAsUtf8(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return true;
    // Stateless: a character cut off by the end of the file is an error too.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return false;
    for (QChar c : text)
        if (c.unicode() >= 0x800)
            return true;
    return false;
}

void checkTextRule(QByteArrayView bytes)
{
    const QString text = DecodeTextFile(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        check(text == Cp932Form(QString::fromUtf8(bytes.sliced(3))));
    else if (readAsUtf8(bytes))
        check(text == Cp932Form(QString::fromUtf8(bytes)));
    else
        check(text == FromCp932(bytes));
}

// The records of a text file taken as code page 932 whatever its bytes look like.
std::vector<BookRecord> cp932Records(const QByteArray &bytes)
{
    const QString text = FromCp932(bytes);
    FieldReader reader(text);
    std::vector<BookRecord> records;
    while (!reader.atEnd()) {
        BookRecord r;
        for (QString &f : r)
            check(reader.next(f) && !reader.cutOff());
        records.push_back(r);
    }
    return records;
}

// What was read cleanly is written and read back to the same texts; a
// text file as far as code page 932 holds its characters.
void roundTrip(const ParsedBook &book, BookKind kind)
{
    if (kind == BookKind::Own && book.passwordError != 0)
        return;
    std::vector<BookRecord> clean;
    for (const ParsedRecord &r : book.records) {
        if (r.error != 0)
            continue;
        BookRecord fields = r.fields;
        if (kind == BookKind::Text)
            for (QString &f : fields)
                f = DecodeText(encoded(f));
        clean.push_back(fields);
    }
    if (clean.size() > size_t(kMaxWrittenRecords))
        return;
    const QByteArray bytes = SerializeBook(clean, kind, book.password);
    if (kind == BookKind::Text) {
        // Every text file is written in code page 932. Read back by the rule,
        // it comes back whole unless the rule takes it for UTF-8 (code page
        // 932 text can happen to be valid UTF-8 with a three-byte character):
        // then its bytes are still the code page 932 of the same texts.
        checkTextRule(bytes);
        if (readAsUtf8(bytes)) {
            check(cp932Records(bytes) == clean);
            return;
        }
    }
    const ParsedBook back = ParseBook(bytes, kind);
    check(back.passwordError == 0);
    check(back.password == book.password);
    check(back.records.size() == clean.size());
    for (size_t i = 0; i < clean.size(); ++i) {
        check(back.records[i].error == 0);
        check(back.records[i].fields == clean[i]);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    for (BookKind kind : {BookKind::Own, BookKind::Backup, BookKind::Text}) {
        roundTrip(ParseBook(bytes, kind), kind);
    }
    try {
        const QString text = DecodeText(bytes);
        check(DecodeText(encoded(text)) == text);
    } catch (const RuntimeError &) {
    }
    checkTextRule(bytes);
    // Any text encodes to four digits a character and decodes again.
    const QString text = DecodeTextFile(bytes);
    const QByteArray digits = encoded(text);
    check(digits.size() % 4 == 0);
    (void)DecodeText(digits);
    return 0;
}
