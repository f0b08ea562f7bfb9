#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace purslet {

// The work of Argon2id: passes over the memory, and the memory in bytes.
struct KdfLimits
{
    std::uint64_t ops = 0;
    std::uint64_t mem = 0;
    bool operator==(const KdfLimits &) const = default;
};

// What a new encrypted book is written with: about a third of a second on a
// desktop of today. Stored in every file, so a later version may raise it.
KdfLimits DefaultKdfLimits();

// The key of an encrypted book, derived from its password, in memory that
// libsodium locks against swapping and wipes when it is released. Moves, never
// copies: one book, one key.
class BookKey final
{
public:
    static constexpr std::size_t kBytes = 32;
    static constexpr std::size_t kSaltBytes = 16;

    BookKey() = default;
    ~BookKey() { release(); }
    BookKey(BookKey &&other) noexcept;
    BookKey &operator=(BookKey &&other) noexcept;
    BookKey(const BookKey &) = delete;
    BookKey &operator=(const BookKey &) = delete;

    // Argon2id over the password's code page 932 bytes, the form every
    // comparison of passwords uses. Throws RuntimeError 7 when the memory
    // cannot be had.
    static BookKey derive(const QString &password, QByteArrayView salt, KdfLimits limits);
    // A fresh random salt for a new key.
    static QByteArray newSalt();

    bool held() const { return m_key != nullptr; }
    const unsigned char *data() const { return m_key; }
    const QByteArray &salt() const { return m_salt; }
    KdfLimits limits() const { return m_limits; }

    // Wipes the key and gives its memory back; afterwards nothing is held.
    void release();

private:
    unsigned char *m_key = nullptr;
    QByteArray m_salt;
    KdfLimits m_limits;
};

// Overwrites the bytes with zeros where the optimiser cannot skip it: for
// the plain records of an encrypted book once they are not needed.
void WipeBytes(QByteArray &bytes);

} // namespace purslet
