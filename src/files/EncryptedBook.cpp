#include "files/EncryptedBook.h"

#include "platform/RuntimeError.h"

#include <sodium.h>

#include <unistd.h>

namespace purslet {

namespace {

constexpr char kMagicPrefix[] = "Purslet encrypted book ";
constexpr char kMagic[] = "Purslet encrypted book 1\r\n";
constexpr qsizetype kMagicSize = sizeof(kMagic) - 1;
constexpr std::uint32_t kArgon2id = crypto_pwhash_ALG_ARGON2ID13;
constexpr qsizetype kCheckBytes = 16;
constexpr qsizetype kNonceBytes = crypto_aead_xchacha20poly1305_ietf_NPUBBYTES;
constexpr qsizetype kTagBytes = crypto_aead_xchacha20poly1305_ietf_ABYTES;
constexpr qsizetype kHeaderSize = kMagicSize + 4 + 8 + 8 + qsizetype(BookKey::kSaltBytes) + kCheckBytes + kNonceBytes;
// Sixty-four passes of the default memory take half a minute: far beyond
// any setting a later version would choose, short of a file that hangs.
constexpr std::uint64_t kMaxOps = 64;

static_assert(BookKey::kBytes == crypto_aead_xchacha20poly1305_ietf_KEYBYTES);

const unsigned char *bytesOf(QByteArrayView v)
{
    return reinterpret_cast<const unsigned char *>(v.data());
}

template <typename T>
T readLittleEndian(const char *p)
{
    T value = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        value |= T(uchar(p[i])) << (8 * i);
    return value;
}

template <typename T>
void appendLittleEndian(QByteArray &out, T value)
{
    for (size_t i = 0; i < sizeof(T); ++i)
        out.append(char(uchar(value >> (8 * i))));
}

RuntimeError badBook(const QString &why)
{
    return RuntimeError(kBadEncryptedBook, why);
}

RuntimeError damaged()
{
    return badBook(QStringLiteral("ファイルが壊れているか書き換えられているため、開くことはできません。"));
}

std::uint64_t halfOfMemory()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return std::uint64_t(1) << 30;
    return std::uint64_t(pages) * std::uint64_t(pageSize) / 2;
}

QByteArray keyCheck(const BookKey &key)
{
    static const char kContext[] = "Purslet key check";
    QByteArray check(kCheckBytes, '\0');
    crypto_generichash(reinterpret_cast<unsigned char *>(check.data()), size_t(kCheckBytes),
                       reinterpret_cast<const unsigned char *>(kContext), sizeof(kContext) - 1, key.data(),
                       BookKey::kBytes);
    return check;
}

} // namespace

bool IsEncryptedBook(QByteArrayView bytes)
{
    return bytes.startsWith(QByteArrayView(kMagicPrefix));
}

EncryptedHeader ReadEncryptedHeader(QByteArrayView bytes)
{
    if (!bytes.startsWith(QByteArrayView(kMagic, kMagicSize))) {
        if (IsEncryptedBook(bytes) && bytes.size() >= kMagicSize && bytes.indexOf('\n') > 0)
            throw badBook(QStringLiteral("このファイルは新しい版の Purslet で暗号化されているため、開くことはできません。"));
        throw damaged();
    }
    if (bytes.size() < kHeaderSize + kTagBytes)
        throw damaged();
    const char *p = bytes.data() + kMagicSize;
    if (readLittleEndian<std::uint32_t>(p) != kArgon2id)
        throw damaged();
    EncryptedHeader header;
    header.limits.ops = readLittleEndian<std::uint64_t>(p + 4);
    header.limits.mem = readLittleEndian<std::uint64_t>(p + 12);
    p += 20;
    header.salt = QByteArray(p, qsizetype(BookKey::kSaltBytes));
    p += BookKey::kSaltBytes;
    header.check = QByteArray(p, kCheckBytes);
    header.size = kHeaderSize;

    const KdfLimits &l = header.limits;
    if (l.ops < crypto_pwhash_OPSLIMIT_MIN || l.ops > kMaxOps || l.mem < crypto_pwhash_MEMLIMIT_MIN
        || l.mem > halfOfMemory() || l.mem > crypto_pwhash_MEMLIMIT_MAX)
        throw badBook(QStringLiteral("ファイルに書かれた鍵の作成条件（%1 回、%2 KB のメモリ）がこのコンピューターで"
                                     "扱える範囲にないため、開くことはできません。")
                          .arg(l.ops)
                          .arg(l.mem / 1024));
    return header;
}

bool KeyMatches(const BookKey &key, const EncryptedHeader &header)
{
    if (!key.held() || key.salt() != header.salt || key.limits() != header.limits)
        return false;
    const QByteArray check = keyCheck(key);
    return sodium_memcmp(check.constData(), header.check.constData(), size_t(kCheckBytes)) == 0;
}

QByteArray SealBook(QByteArrayView plain, const BookKey &key)
{
    if (!key.held())
        throw RuntimeError(RuntimeError::InvalidCall);
    QByteArray out;
    out.reserve(kHeaderSize + plain.size() + kTagBytes);
    out.append(kMagic, kMagicSize);
    appendLittleEndian(out, kArgon2id);
    appendLittleEndian(out, key.limits().ops);
    appendLittleEndian(out, key.limits().mem);
    out.append(key.salt());
    out.append(keyCheck(key));
    QByteArray nonce(kNonceBytes, '\0');
    randombytes_buf(nonce.data(), size_t(kNonceBytes));
    out.append(nonce);

    const qsizetype headerEnd = out.size();
    out.resize(headerEnd + plain.size() + kTagBytes);
    unsigned long long written = 0;
    crypto_aead_xchacha20poly1305_ietf_encrypt(reinterpret_cast<unsigned char *>(out.data()) + headerEnd, &written,
                                               bytesOf(plain), quint64(plain.size()), bytesOf(out), quint64(headerEnd),
                                               nullptr, bytesOf(nonce), key.data());
    out.resize(headerEnd + qsizetype(written));
    return out;
}

QByteArray OpenSealedBook(QByteArrayView bytes, const EncryptedHeader &header, const BookKey &key)
{
    if (bytes.size() < header.size + kTagBytes || !key.held())
        throw damaged();
    const QByteArrayView sealed = bytes.sliced(header.size);
    const unsigned char *nonce = bytesOf(bytes) + header.size - kNonceBytes;
    QByteArray plain(sealed.size() - kTagBytes, Qt::Uninitialized);
    unsigned long long length = 0;
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(reinterpret_cast<unsigned char *>(plain.data()), &length, nullptr,
                                                   bytesOf(sealed), quint64(sealed.size()), bytesOf(bytes),
                                                   quint64(header.size), nonce, key.data())
        != 0) {
        WipeBytes(plain);
        throw damaged();
    }
    plain.resize(qsizetype(length));
    return plain;
}

} // namespace purslet
