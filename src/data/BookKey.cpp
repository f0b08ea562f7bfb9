#include "data/BookKey.h"

#include "platform/Codepage.h"
#include "platform/RuntimeError.h"

#include <sodium.h>

#include <cstdlib>
#include <utility>

namespace purslet {

namespace {

// sodium_init is cheap after the first call and safe to repeat.
void initSodium()
{
    if (sodium_init() < 0)
        std::abort(); // no source of randomness: nothing could be encrypted safely
}

RuntimeError outOfMemory()
{
    return RuntimeError(7, QStringLiteral("メモリが不足しています。"));
}

} // namespace

KdfLimits DefaultKdfLimits()
{
    // 0.2 to 0.4 s measured here; libsodium's interactive setting with twice its memory.
    return KdfLimits{2, std::uint64_t(128) << 20};
}

BookKey::BookKey(BookKey &&other) noexcept
    : m_key(std::exchange(other.m_key, nullptr)), m_salt(std::move(other.m_salt)), m_limits(other.m_limits)
{
}

BookKey &BookKey::operator=(BookKey &&other) noexcept
{
    if (this != &other) {
        release();
        m_key = std::exchange(other.m_key, nullptr);
        m_salt = std::move(other.m_salt);
        m_limits = other.m_limits;
    }
    return *this;
}

BookKey BookKey::derive(const QString &password, QByteArrayView salt, KdfLimits limits)
{
    initSodium();
    if (salt.size() != qsizetype(kSaltBytes))
        throw RuntimeError(RuntimeError::InvalidCall);
    BookKey key;
    key.m_key = static_cast<unsigned char *>(sodium_malloc(kBytes));
    if (!key.m_key)
        throw outOfMemory();
    QByteArray bytes = ToCp932(password);
    const int failed = crypto_pwhash(key.m_key, kBytes, bytes.constData(), quint64(bytes.size()),
                                     reinterpret_cast<const unsigned char *>(salt.data()), limits.ops,
                                     size_t(limits.mem), crypto_pwhash_ALG_ARGON2ID13);
    WipeBytes(bytes);
    if (failed != 0)
        throw outOfMemory(); // the limits were checked before: only the memory can fail
    key.m_salt = salt.toByteArray();
    key.m_limits = limits;
    return key;
}

QByteArray BookKey::newSalt()
{
    initSodium();
    QByteArray salt(qsizetype(kSaltBytes), '\0');
    randombytes_buf(salt.data(), size_t(salt.size()));
    return salt;
}

void BookKey::release()
{
    if (!m_key)
        return;
    sodium_memzero(m_key, kBytes);
    sodium_free(m_key);
    m_key = nullptr;
    m_salt.clear();
    m_limits = KdfLimits{};
}

void WipeBytes(QByteArray &bytes)
{
    // A shared buffer would only be copied by data(): it is left to its other holder.
    if (!bytes.isEmpty() && bytes.isDetached())
        sodium_memzero(bytes.data(), size_t(bytes.size()));
    bytes.clear();
}

} // namespace purslet
