#pragma once

#include "data/BookKey.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace purslet {

// An encrypted book file (.pslx):
//   "Purslet encrypted book 1" CR LF    the format and its version
//   u32 LE    key derivation: 2, Argon2id 1.3
//   u64 LE    Argon2id passes
//   u64 LE    Argon2id memory in bytes
//   16 bytes  salt
//   16 bytes  key check: BLAKE2b of a fixed text under the key
//   24 bytes  nonce, fresh for every write
//   the records as a text file holds them, code page 932, encrypted and
//   authenticated with XChaCha20-Poly1305; everything above is its
//   associated data, so no byte of the file can change unnoticed.
// The key check tells a wrong password from a damaged file.

// The error number of a file that is damaged, changed or cut off, or whose
// header asks for what this machine cannot give.
inline constexpr int kBadEncryptedBook = 321;

// True when the bytes begin as an encrypted book of any version: such a file
// is never read as another kind, whatever its name.
bool IsEncryptedBook(QByteArrayView bytes);

struct EncryptedHeader
{
    KdfLimits limits;
    QByteArray salt;
    QByteArray check;
    qsizetype size = 0; // the header's bytes, magic line included
};

// Throws RuntimeError kBadEncryptedBook with a message for the user when the
// version is unknown, the file is shorter than its header and tag, or the
// limits are absurd: no work, less memory than Argon2id takes, more than
// half of this machine's memory, or more passes than anyone would wait for.
EncryptedHeader ReadEncryptedHeader(QByteArrayView bytes);

// Whether the key is the one the header was written with.
bool KeyMatches(const BookKey &key, const EncryptedHeader &header);

// A whole file: the plain records encrypted under the key with a fresh nonce.
QByteArray SealBook(QByteArrayView plain, const BookKey &key);

// The plain records of a file whose header was read and whose key matches.
// Throws RuntimeError kBadEncryptedBook when the file was changed or cut off.
QByteArray OpenSealedBook(QByteArrayView bytes, const EncryptedHeader &header, const BookKey &key);

} // namespace purslet
