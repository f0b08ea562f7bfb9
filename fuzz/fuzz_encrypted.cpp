// The encrypted book's header and decryption on arbitrary bytes. Files whose
// header asks for the least Argon2id work are tried with the password
// "fuzz": the seeds are sealed with it, so mutations reach the key check, the
// authentication and the parsing of what comes out.
#include "files/BookFormat.h"
#include "files/EncryptedBook.h"
#include "files/EncryptedReading.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace purslet;

namespace {

#define check(condition)                                                                                     \
    do {                                                                                                       \
        if (!(condition)) {                                                                                    \
            std::fprintf(stderr, "property failed: %s (line %d)\n", #condition, __LINE__);                     \
            std::abort();                                                                                      \
        }                                                                                                      \
    } while (false)

const KdfLimits kQuick{1, 8192};

class FuzzUi final : public Ui
{
public:
    int refusals = 0;
    MsgAnswer messageBox(const QString &, const QString &, MsgIcon, MsgButtons, MsgAnswer) override
    {
        ++refusals;
        return MsgAnswer::Ok;
    }
    QString inputBox(const QString &, const QString &, const QString &, bool) override
    {
        return QStringLiteral("fuzz");
    }
    void showStatus(const QString &) override {}
    void endProgram() override { std::abort(); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    EncryptedHeader header;
    try {
        header = ReadEncryptedHeader(bytes);
    } catch (const RuntimeError &e) {
        check(e.number() == kBadEncryptedBook && !e.description().isEmpty());
        return 0;
    }
    check(header.size <= qsizetype(size) && header.salt.size() == qsizetype(BookKey::kSaltBytes));
    check(header.limits.ops >= 1 && header.limits.mem >= 8192);
    if (!(header.limits == kQuick))
        return 0; // real work: too slow to try for every input

    FuzzUi ui;
    DecryptedBook book;
    const Decryption outcome = DecryptBook(ui, bytes, BookKey(), book);
    // Exactly one message for a refusal, none for a book opened whole.
    check((outcome == Decryption::Opened) == (ui.refusals == 0));
    if (outcome != Decryption::Opened) {
        check(book.parsed.records.empty() && !book.key.held());
        return 0;
    }
    // What opened seals again under the same key and opens to the same records.
    const QByteArray again = SealBook(SerializeBook([&] {
                                          std::vector<BookRecord> r;
                                          for (const ParsedRecord &p : book.parsed.records)
                                              r.push_back(p.fields);
                                          return r;
                                      }(),
                                                    BookKind::Encrypted),
                                      book.key);
    const EncryptedHeader h = ReadEncryptedHeader(again);
    check(KeyMatches(book.key, h));
    const ParsedBook back = ParseBook(OpenSealedBook(again, h, book.key), BookKind::Encrypted);
    check(back.records.size() == book.parsed.records.size());
    for (size_t i = 0; i < back.records.size(); ++i)
        check(back.records[i].fields == book.parsed.records[i].fields);
    return 0;
}
