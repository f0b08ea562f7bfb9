#pragma once

#include <QString>

#include <cstddef>

namespace purslet {

// Makes the memory that reading the book at `path` will take ready before
// the read: a block of heap in proportion to the file's size, its pages
// made present at once (in huge pages where the system gives them) and
// handed back to the allocator for the records to be built in. Each page
// touched for the first time otherwise costs a fault of its own, which
// for the largest book is more than the reading itself. Nothing for a small
// or missing file; failures only leave the pages to be faulted as usual.
void ReserveHeapForBook(const QString &path);

// Makes the pages of a block that is about to be filled present at once, in
// huge pages where the system gives them: one call instead of a fault per
// page. Only for a block that will be written whole.
void PrefaultMemory(void *data, size_t bytes);

} // namespace purslet
