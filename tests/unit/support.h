// Shared set-up for the unit tests. The heap is global and allocated once per
// process, so every test starts from the current heap with the global frame
// emptied and collected, and works relative to that state.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "cells/cell.h"
#include "cells/heap.h"

namespace unit {
constexpr long long HEAP_CELLS = 1000000;

// nmem as mem_init left it (recorded by the first prepare_heap of the process).
extern int nmem_after_init;

// Allocates the heap of HEAP_CELLS cells on the first call.
void prepare_heap();
// Empties the global frame and collects: afterwards only the roots are live.
void reset_heap();

// A proper list of the given cells.
int list_of(std::initializer_list<int> items);
// The cells of the free list, head first.
std::vector<int> free_list();
// The written form of v, as print_list produces it.
std::string printed(int v);

struct read_outcome {
    std::vector<int> data;  // the data read before the end or an error
    int error;              // 0, or the code of the error that stopped reading
};
// Feeds `text` through a source file and reads up to `count` data from it.
read_outcome read_text(const std::string &text, int count = 1);
}  // namespace unit

class HeapTest : public ::testing::Test {
protected:
    void SetUp() override { unit::reset_heap(); }
};
