// The heap of cells: set-up, the symbol table's storage, and the collector.
#pragma once

// The capacity asked for on the command line, in cells (may be out of range).
extern long long heap_request;
// The symbol table: MEM_SIZE name pointers, nsymbol in use.
extern const char **symbol;
extern int nsymbol;

// Allocates the heap, the two roots and the symbol table on the first call;
// later calls do nothing. Raises error 2 when the request cannot be met.
void mem_init();
// True once mem_init has completed.
bool heap_ready();
// Mark and sweep from the roots nptr and vptr. Call only between statements.
// Frees every unreachable cell, though usually only the cells made since the
// last collection need looking at.
void garbage();
// The cells constructors have taken since the last collection, from the
// free list and from the never-used tail alike.
int cells_taken_since_collection();
// Frees the heap and the symbol table: the state before the first mem_init.
void heap_reset();

// A point the heap can be rolled back to, for work that must leave no trace
// (a parse that only checks text). In between, cells may be taken and
// filled and the roots' cars rewritten; nothing is collected and no other
// cell older than the mark is rewritten.
struct heap_mark {
    int nmem;
    int fmem;
    int young_count;
    int spare_cells;
    int names;   // the car of nptr
    int values;  // the car of vptr
    bool full_collection_due;
};
heap_mark heap_mark_now();
// Every cell taken since the mark is free again, the free list in its old
// order, and the roots hold what they held.
void heap_roll_back(const heap_mark &mark);
// Debug aids: the free list, the tags and the count of spare cells are sound
// and no two symbol cells share a name; every cell in use is
// reachable from the roots, as right after a collection.
bool heap_consistent();
bool heap_fully_collected();
