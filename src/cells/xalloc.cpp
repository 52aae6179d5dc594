// Allocation wrappers over the C library, raising error 2 on failure with
// "what [bytes]" in error_parm.
#include "cells/xalloc.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "errors/xerror.h"

#ifdef __linux__
#include <sys/mman.h>
#ifdef JOR_SANITIZED
#include <sanitizer/lsan_interface.h>
#endif
#elif defined(__EMSCRIPTEN__)
#include <unistd.h>

#include <cstring>
#endif

namespace {
[[noreturn]] void out_of_memory(const char *what, unsigned long long bytes) {
    char text[ERROR_PARM_SIZE];
    if (what)
        snprintf(text, sizeof text, "%s [%llu]", what, bytes);
    else
        snprintf(text, sizeof text, "[%llu]", bytes);
    raise_error(ERR_NO_MEMORY, text);
}
}  // namespace

void *xcalloc(std::size_t n, std::size_t size, const char *what) {
    void *block = calloc(n, size);
    if (!block && n != 0) out_of_memory(what, (unsigned long long)n * size);
    return block;
}

void *xmalloc(std::size_t size, const char *what) {
    void *block = malloc(size);
    if (!block && size != 0) out_of_memory(what, size);
    return block;
}

void *xrealloc(void *block, std::size_t size, const char *what) {
    void *moved = realloc(block, size);
    if (!moved && size != 0) out_of_memory(what, size);
    return moved;
}

void xfree(void *block) {
    if (block) free(block);
}

#ifdef __linux__
namespace {
constexpr std::size_t HUGE_PAGE = std::size_t(2) << 20;

std::size_t whole_huge_pages(std::size_t bytes) { return (bytes + HUGE_PAGE - 1) / HUGE_PAGE * HUGE_PAGE; }
}  // namespace

// Maps a huge page more than asked for and unmaps the ragged ends, so the
// block starts on a huge-page boundary.
void *xalloc_pages(std::size_t bytes, const char *what) {
    std::size_t size = whole_huge_pages(bytes ? bytes : 1);
    void *mapped = mmap(nullptr, size + HUGE_PAGE, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) out_of_memory(what, bytes);
    auto start = reinterpret_cast<std::uintptr_t>(mapped);
    std::uintptr_t aligned = (start + HUGE_PAGE - 1) & ~(HUGE_PAGE - 1);
    if (aligned > start) munmap(mapped, aligned - start);
    std::size_t tail = start + size + HUGE_PAGE - (aligned + size);
    if (tail > 0) munmap(reinterpret_cast<void *>(aligned + size), tail);
    madvise(reinterpret_cast<void *>(aligned), size, MADV_HUGEPAGE);
#ifdef JOR_SANITIZED
    // The leak checker looks for pointers only in memory from malloc, and
    // these blocks hold the only ones to some names (the symbol table's).
    __lsan_register_root_region(reinterpret_cast<void *>(aligned), size);
#endif
    return reinterpret_cast<void *>(aligned);
}

void xfree_pages(void *block, std::size_t bytes) {
    if (!block) return;
#ifdef JOR_SANITIZED
    __lsan_unregister_root_region(block, whole_huge_pages(bytes ? bytes : 1));
#endif
    munmap(block, whole_huge_pages(bytes ? bytes : 1));
}
#elif defined(__EMSCRIPTEN__)
// Linear memory past the break has never been written, and the engine gives
// it zeroed, so a block taken from there needs no clearing: a large heap
// costs only the pages its cells touch. Memory that was handed out once is
// not zero any more, so a freed block goes to a small pool and is cleared
// only when it is taken again; the pool's blocks are never given back, as
// linear memory never shrinks.
namespace {
constexpr std::size_t PAGE_BLOCK_ALIGN = 16;
constexpr int POOL_SLOTS = 8;

struct pooled_block {
    void *start;
    std::size_t bytes;
};
pooled_block pool[POOL_SLOTS];

void *from_pool(std::size_t bytes) {
    for (pooled_block &slot : pool) {
        if (slot.start && slot.bytes >= bytes) {
            void *block = slot.start;
            slot.start = nullptr;
            return memset(block, 0, bytes);
        }
    }
    return nullptr;
}
}  // namespace

void *xalloc_pages(std::size_t bytes, const char *what) {
    if (void *block = from_pool(bytes ? bytes : 1)) return block;
    auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
    std::size_t pad = (PAGE_BLOCK_ALIGN - end % PAGE_BLOCK_ALIGN) % PAGE_BLOCK_ALIGN;
    if (bytes > std::size_t(INTPTR_MAX) - pad - PAGE_BLOCK_ALIGN) out_of_memory(what, bytes);
    void *taken = sbrk(intptr_t(pad + (bytes ? bytes : 1)));
    if (taken == reinterpret_cast<void *>(-1)) out_of_memory(what, bytes);
    return static_cast<char *>(taken) + pad;
}

void xfree_pages(void *block, std::size_t bytes) {
    if (!block) return;
    for (pooled_block &slot : pool) {
        if (!slot.start) {
            slot = {block, bytes ? bytes : 1};
            return;
        }
    }
}
#else
void *xalloc_pages(std::size_t bytes, const char *what) { return xcalloc(1, bytes ? bytes : 1, what); }

void xfree_pages(void *block, std::size_t) { xfree(block); }
#endif
