// The book parser on arbitrary bytes, read as each of the three kinds.
#include "files/BookCodec.h"
#include "files/BookFormat.h"
#include "files/Cp932Codes.h"
#include "platform/RuntimeError.h"

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

// What was read cleanly is written and read back to the same texts; a
// text file only as far as code page 932 holds its characters.
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
                f = DecodeText(EncodeText(f));
        clean.push_back(fields);
    }
    if (clean.size() > size_t(kMaxWrittenRecords))
        return;
    const QByteArray bytes = SerializeBook(clean, kind, book.password);
    // Code page 932 bytes that happen to be valid UTF-8 read as UTF-8.
    if (kind == BookKind::Text && DecodeTextFile(bytes) != Cp932ToText(bytes))
        return;
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
        check(DecodeText(EncodeText(text)) == text);
    } catch (const RuntimeError &) {
    }
    // Any text encodes to four digits a character and decodes again.
    const QString text = DecodeTextFile(bytes);
    const QString encoded = EncodeText(text);
    check(encoded.size() % 4 == 0);
    (void)DecodeText(encoded);
    return 0;
}
