#pragma once

#include "files/BookFormat.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <thread>

namespace purslet {

// A book file read, and taken apart unless it is encrypted, ahead of time.
struct PrefetchedBook
{
    QByteArray bytes;
    std::optional<ParsedBook> parsed;
};

// Reads the book named on the command line on a thread of its own while the
// program builds its windows, so that the start-up read finds the file read
// and parsed. One at a time; the destructor waits for the thread.
class BookPrefetch final
{
public:
    explicit BookPrefetch(const QString &path);
    ~BookPrefetch();
    BookPrefetch(const BookPrefetch &) = delete;
    BookPrefetch &operator=(const BookPrefetch &) = delete;

private:
    friend std::optional<PrefetchedBook> TakePrefetchedBook(const QString &path);

    QString m_path;
    std::optional<PrefetchedBook> m_book;
    std::thread m_thread;
};

// What the running prefetch got for `path`, once; nothing when none ran for
// that path or its read failed, so that the caller reads it as usual and
// tells what went wrong.
std::optional<PrefetchedBook> TakePrefetchedBook(const QString &path);

} // namespace purslet
