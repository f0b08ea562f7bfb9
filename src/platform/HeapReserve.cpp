#include "platform/HeapReserve.h"

#include <QFile>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include <sys/mman.h>
#include <sys/stat.h>

namespace purslet {

namespace {
// A book's records, grid rows and report take about five times the bytes of
// its file; a text file less than that. Kept below the allocator's mmap
// threshold (32 MB, the most it takes), so that the block comes from the heap
// and stays there once freed.
constexpr qint64 kBytesPerFileByte = 5;
constexpr qint64 kLeast = qint64(1) << 20;
constexpr qint64 kMost = qint64(30) << 20;
constexpr std::uintptr_t kPage = 4096;
constexpr size_t kFewPages = 64 * 1024;
constexpr size_t kHugePage = 2 * 1024 * 1024;
#ifndef MADV_POPULATE_WRITE
constexpr int MADV_POPULATE_WRITE = 23; // Linux 5.14
#endif
} // namespace

void PrefaultMemory(void *data, size_t bytes)
{
#ifdef __linux__
    // Below some sixteen pages the faults cost less than the call.
    if (bytes < kFewPages)
        return;
    const auto first = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const auto last = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kPage - 1);
    void *const start = reinterpret_cast<void *>(first);
    // Only a block that can hold a whole huge page is worth one.
    if (bytes >= kHugePage)
        madvise(start, last - first, MADV_HUGEPAGE);
    madvise(start, last - first, MADV_POPULATE_WRITE);
#else
    Q_UNUSED(data);
    Q_UNUSED(bytes);
#endif
}

void ReserveHeapForBook(const QString &path)
{
#ifdef __GLIBC__
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return;
    const qint64 want = std::min(qint64(st.st_size) * kBytesPerFileByte, kMost);
    if (want < kLeast)
        return;
    char *block = static_cast<char *>(std::malloc(size_t(want)));
    if (!block)
        return;
    PrefaultMemory(block, size_t(want));
    std::free(block);
#else
    Q_UNUSED(path);
#endif
}

} // namespace purslet
