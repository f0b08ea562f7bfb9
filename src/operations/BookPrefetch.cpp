#include "operations/BookPrefetch.h"

#include "files/BookKind.h"
#include "files/EncryptedBook.h"
#include "platform/AtomicFile.h"

#include <QFileInfo>

namespace purslet {

namespace {
BookPrefetch *g_running = nullptr;
} // namespace

BookPrefetch::BookPrefetch(const QString &path) : m_path(path)
{
    // A regular file only: a pipe or a device could keep the thread waiting.
    if (g_running || !QFileInfo(path).isFile())
        return;
    g_running = this;
    m_thread = std::thread([this] {
        try {
            PrefetchedBook book;
            book.bytes = ReadWholeFile(m_path, kMaxBookFileBytes);
            const BookKind kind = KindOfPath(m_path);
            if (kind != BookKind::Encrypted && !IsEncryptedBook(book.bytes))
                book.parsed = ParseBook(book.bytes, kind);
            m_book = std::move(book);
        } catch (...) {
            // Read again by the caller, who tells the user why it fails.
        }
    });
}

BookPrefetch::~BookPrefetch()
{
    if (m_thread.joinable())
        m_thread.join();
    if (g_running == this)
        g_running = nullptr;
}

std::optional<PrefetchedBook> TakePrefetchedBook(const QString &path)
{
    BookPrefetch *const prefetch = g_running;
    if (!prefetch || prefetch->m_path != path)
        return std::nullopt;
    if (prefetch->m_thread.joinable())
        prefetch->m_thread.join();
    g_running = nullptr;
    return std::move(prefetch->m_book);
}

} // namespace purslet
