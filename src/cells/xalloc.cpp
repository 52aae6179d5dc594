// Allocation wrappers over the C library, raising error 2 on failure with
// "what [bytes]" in error_parm.
#include "cells/xalloc.h"

#include <cstdio>
#include <cstdlib>

#include "errors/xerror.h"

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
