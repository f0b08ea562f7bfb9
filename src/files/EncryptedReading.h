#pragma once

#include "files/BookFormat.h"
#include "data/BookKey.h"

#include <QByteArrayView>

namespace purslet {

class Ui;

enum class Decryption {
    Opened,
    WrongPassword, // told to the user as the scrambled kind tells it
    Refused,       // damaged, changed, cut off or absurd: told to the user
};

struct DecryptedBook
{
    ParsedBook parsed;
    BookKey key; // derived from the password given; none when `held` opened the file
};

// Decrypts an encrypted book's bytes with the password the user gives, or
// with `held` without asking when it is the file's key (Undo reading the
// backup of the book open). Every refusal is shown through the Ui; a book
// comes out whole or not at all.
Decryption DecryptBook(Ui &ui, QByteArrayView bytes, const BookKey &held, DecryptedBook &out);

} // namespace purslet
