#pragma once

#include "files/BookKind.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <vector>

namespace purslet {

class Grid;

// The five stored texts of a record: date, matter, income, outgo, memo
// (cash-book columns 0, 1, 2, 3 and 5; the subtotal is never stored).
using BookRecord = std::array<QString, 5>;

struct ParsedRecord
{
    BookRecord fields;
    // 0, or the RuntimeError number of the first field that failed. A record
    // cut short by the end of the file has InputPastEnd and keeps the fields read.
    int error = 0;
};

// A book file taken apart without touching any book: the reader and the
// command line decide what to do with the errors.
struct ParsedBook
{
    QString password;       // own book files only
    int passwordError = 0;  // 0, InputPastEnd (no password line) or a decoding error
    std::vector<ParsedRecord> records;
};

// Text files, and the plain records inside an encrypted book, hold their
// fields as they stand.
inline bool HasPlainFields(BookKind kind)
{
    return kind == BookKind::Text || kind == BookKind::Encrypted;
}

// Parses the bytes of a book file of the given kind; for Encrypted, the
// plain records inside one, always code page 932. Encoded kinds are
// code page 932 hexadecimal fields; a text file may also be UTF-8 (with a
// byte order mark, or valid UTF-8 holding a character of three or more
// bytes). Stops after one record more than a book holds. A quoted field
// that the end of the file leaves open cuts its record short (InputPastEnd).
ParsedBook ParseBook(QByteArrayView bytes, BookKind kind);

// The text of a text file: UTF-8 or code page 932, decided as above.
QString DecodeTextFile(QByteArrayView bytes);

// The largest file the reader takes. Books of the largest size stay far
// below it; it keeps a stream without end (/dev/zero) from being read on.
inline constexpr qint64 kMaxBookFileBytes = qint64(64) << 20;

// The records of the cash book grid, rows 1 to rows() - 4.
std::vector<BookRecord> RecordsOf(const Grid &cashier);

// The most records a file is written with: as many as a book holds and the
// reader takes, so that a full book can always be saved.
inline constexpr int kMaxWrittenRecords = 32767;

// The bytes of a book file: every field quoted, CR LF, code page 932; in
// text files a quote inside a field is doubled. Throws RuntimeError Overflow
// for more than kMaxWrittenRecords records. The password is used for the own kind only.
QByteArray SerializeBook(const std::vector<BookRecord> &records, BookKind kind, const QString &password = {});
QByteArray SerializeBook(const Grid &cashier, BookKind kind, const QString &password = {});

} // namespace purslet
