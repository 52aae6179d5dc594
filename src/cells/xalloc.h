// Allocation wrappers: a request that cannot be met is error 2 "Нет памяти".
#pragma once
#include <cstddef>

void *xcalloc(std::size_t n, std::size_t size, const char *what);
void *xmalloc(std::size_t size, const char *what);
void *xrealloc(void *block, std::size_t size, const char *what);
void xfree(void *block);

// Zeroed memory for the heap, straight from the system: pages cost nothing
// until they are touched, and a large block is laid on huge pages where the
// system offers them, so filling it takes far fewer page faults.
void *xalloc_pages(std::size_t bytes, const char *what);
void xfree_pages(void *block, std::size_t bytes);
