// Allocation wrappers: a request that cannot be met is error 2 "Нет памяти".
#pragma once
#include <cstddef>

void *xcalloc(std::size_t n, std::size_t size, const char *what);
void *xmalloc(std::size_t size, const char *what);
void *xrealloc(void *block, std::size_t size, const char *what);
void xfree(void *block);
