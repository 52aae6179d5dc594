// The cell heap and its mark-and-sweep collector. Owns mem, nmem, fmem, the
// roots nptr/vptr and the symbol table's storage.
//
// Marking never recurses: it follows second payload words in a loop and keeps
// first payload words on a bounded stack; when that stack overflows, a rescan
// of the heap picks up whatever was left behind.
//
// A cell in use at one collection stays reachable until a field of some such
// cell is rewritten: the roots only ever gain links in front of what they
// held. Until then the next collection need only flag, trace and sweep the
// cells made since, which frees exactly the cells, in exactly the order, that
// a pass over the whole heap would; its cost follows the statement, not the
// size of the program.
//
// The flags live in the byte each cell has in `survived`, beside the bit that
// says it was in use at the last collection, so that a sweep reads and
// writes the flags of eight cells at once and touches only the cells it frees.
#include "cells/heap.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

#include "cells/cell.h"
#include "cells/xalloc.h"

cell *mem;
int MEM_SIZE = 500000;
long long heap_request = 500000;
int nmem;
int fmem = NIL;
int nptr = NIL;
int vptr = NIL;
int spare_cells;
const char **symbol;
int nsymbol;
int *young_log;
int young_count;
unsigned char *survived;
bool full_collection_due = true;

namespace {
bool roots_made;
// The cells made since the last collection: the free list's in young_log,
// and the never-used tail from young_tail up.
int young_tail;
// spare_cells and the free list's length as the last collection left them;
// the cells taken from the list since are the young_count logged.
int spare_after_collection;
int listed_after_collection;

constexpr int MARK_STACK_SIZE = 1 << 14;
int mark_stack[MARK_STACK_SIZE];
int mark_top;
bool mark_overflow;

// A cell's byte in `survived`: bit 0 says it was in use at the last
// collection (the only bit set between collections), bit 1, set from the
// flag to the sweep, that it has not been reached yet.
constexpr unsigned char SURVIVED = 1, UNREACHED = 2, FLAGGED = SURVIVED | UNREACHED;
constexpr uint64_t EACH_BYTE = 0x0101010101010101;

inline bool unreached(int i) { return i >= 0 && (survived[i] & UNREACHED); }

inline void push_unreached(int i) {
    if (!unreached(i)) return;
    if (mark_top == MARK_STACK_SIZE) {
        mark_overflow = true;
        return;
    }
    mark_stack[mark_top++] = i;
}

void mark_chain(int i) {
    while (unreached(i)) {
        survived[i] &= ~UNREACHED;
        switch (mem[i].type) {
        case CELL_PAIR:
        case CELL_PROCEDURE:
            push_unreached(mem[i].u.w.first);
            i = mem[i].u.w.second;
            break;
        case CELL_LIBPROC:  // the second word is a row number
            i = mem[i].u.w.first;
            break;
        default:
            return;
        }
    }
}

void drain_mark_stack() {
    while (mark_top > 0) mark_chain(mark_stack[--mark_top]);
}

// Finds reached cells whose children were dropped by a full mark stack.
void rescan() {
    for (int c = 0; c < nmem; c++) {
        if (survived[c] & UNREACHED) continue;
        int type = mem[c].type;
        if (type == CELL_PAIR || type == CELL_PROCEDURE) {
            push_unreached(mem[c].u.w.first);
            push_unreached(mem[c].u.w.second);
        } else if (type == CELL_LIBPROC) {
            push_unreached(mem[c].u.w.first);
        }
        drain_mark_stack();
    }
}

void mark_list(int root) {
    mark_chain(root);
    drain_mark_stack();
    while (mark_overflow) {
        mark_overflow = false;
        rescan();
    }
}
}  // namespace

void heap_exhausted() { raise_error(ERR_TABLE_FULL, "mem"); }

void mem_init() {
    if (mem) return;
    if (heap_request > INT_MAX) raise_error(ERR_NO_MEMORY, "mem");
    MEM_SIZE = int(heap_request < 0 ? 0 : heap_request);
    spare_cells = spare_after_collection = MEM_SIZE;
    listed_after_collection = 0;
    mem = static_cast<cell *>(xalloc_pages(std::size_t(MEM_SIZE) * sizeof(cell), "mem"));
    young_log = static_cast<int *>(xalloc_pages(std::size_t(MEM_SIZE) * sizeof(int), "mem"));
    survived = static_cast<unsigned char *>(xalloc_pages(std::size_t(MEM_SIZE), "mem"));
    nptr = make_pair(NIL, NIL);
    vptr = make_pair(NIL, NIL);
    symbol = static_cast<const char **>(xalloc_pages(std::size_t(MEM_SIZE) * sizeof(char *), "symbol"));
    roots_made = true;
}

bool heap_ready() { return roots_made; }

void heap_reset() {
    for (int i = 0; i < nsymbol; i++) xfree(const_cast<char *>(symbol[i]));
    xfree_pages(symbol, std::size_t(MEM_SIZE) * sizeof(char *));
    xfree_pages(mem, std::size_t(MEM_SIZE) * sizeof(cell));
    xfree_pages(young_log, std::size_t(MEM_SIZE) * sizeof(int));
    xfree_pages(survived, std::size_t(MEM_SIZE));
    young_log = nullptr;
    survived = nullptr;
    young_count = 0;
    young_tail = 0;
    spare_cells = spare_after_collection = listed_after_collection = 0;
    full_collection_due = true;
    symbol = nullptr;
    mem = nullptr;
    nsymbol = 0;
    nmem = 0;
    fmem = nptr = vptr = NIL;
    heap_request = MEM_SIZE = 500000;
    roots_made = false;
}

namespace {
// A flagged cell was not reached: it goes to the head of the free list.
// Every cell kept was in use (a free cell is never flagged). Returns 1 when
// the cell was freed.
inline int sweep_cell(int c, int &head) {
    if (survived[c] & UNREACHED) {
        mem[c].type = CELL_FREE;
        mem[c].aux = 0;
        mem[c].u.w.first = head;
        head = c;
        survived[c] = 0;
        return 1;
    }
    survived[c] = survived[c] & SURVIVED;
    return 0;
}

// The cells lo..hi-1 in ascending order, eight at a time: the flagged ones
// are freed, and a cell is left marked as having survived exactly when it
// was flagged as in use and then reached. Returns how many were freed.
int sweep_range(int lo, int hi, int &head) {
    // Locals, since a byte store could otherwise change mem or survived.
    cell *cells = mem;
    unsigned char *flag_bytes = survived;
    int list = head;
    int freed_cells = 0;
    int c = lo;
    for (; c + 8 <= hi; c += 8) {
        uint64_t flags;
        memcpy(&flags, flag_bytes + c, 8);
        uint64_t all_unreached = EACH_BYTE * UNREACHED;
        if ((flags & all_unreached) == all_unreached) {  // the common case in a statement's garbage
            for (int f = c; f < c + 8; f++) {
                cells[f].type = CELL_FREE;
                cells[f].aux = 0;
                cells[f].u.w.first = list;
                list = f;
            }
            memset(flag_bytes + c, 0, 8);
            freed_cells += 8;
            continue;
        }
        uint64_t unreached_flags = flags & (EACH_BYTE * UNREACHED);
        freed_cells += __builtin_popcountll(unreached_flags);
        for (uint64_t freed = unreached_flags; freed; freed &= freed - 1) {
            int f = c + __builtin_ctzll(freed) / 8;
            cells[f].type = CELL_FREE;
            cells[f].aux = 0;
            cells[f].u.w.first = list;
            list = f;
        }
        uint64_t kept = flags & ~(flags >> 1) & EACH_BYTE;
        memcpy(flag_bytes + c, &kept, 8);
    }
    head = list;
    for (; c < hi; c++) freed_cells += sweep_cell(c, head);
    return freed_cells;
}

// Afterwards a cell in use still flagged was not reached from the roots.
void trace_whole_heap() {
    const cell *cells = mem;
    unsigned char *flag_bytes = survived;
    for (int c = 0, n = nmem; c < n; c++) flag_bytes[c] = cells[c].type != CELL_FREE ? FLAGGED : 0;
    mark_list(vptr);
    mark_list(nptr);
}

int collect_whole_heap() {
    trace_whole_heap();
    int head = fmem;
    int freed = sweep_range(0, nmem, head);
    fmem = head;
    return freed;
}

// The older cells are all reached, so only the new ones are flagged; the
// roots are flagged too, since they are where tracing starts. The sweep
// visits the new cells in ascending order, as the whole-heap sweep would:
// the free-list cells all lie below young_tail.
int collect_young_cells() {
    std::sort(young_log, young_log + young_count);
    for (int k = 0; k < young_count; k++) survived[young_log[k]] = FLAGGED;
    memset(survived + young_tail, FLAGGED, std::size_t(nmem - young_tail));
    survived[nptr] |= UNREACHED;
    survived[vptr] |= UNREACHED;
    mark_list(vptr);
    mark_list(nptr);
    int head = fmem;
    int freed = 0;
    for (int k = 0; k < young_count; k++) freed += sweep_cell(young_log[k], head);
    freed += sweep_range(young_tail, nmem, head);
    fmem = head;
    return freed;
}

// The free list's length, or -1 when it is not a list of free cells.
long free_list_length() {
    long on_list = 0;
    for (int i = fmem; i >= 0; i = mem[i].u.w.first) {
        if (i >= nmem || mem[i].type != CELL_FREE || ++on_list > nmem) return -1;
    }
    return on_list;
}
}  // namespace

void garbage() {
    if (!mem) return;
    int still_listed = listed_after_collection - young_count;
    // Sorting many new cells costs more than a pass over the heap.
    int freed = full_collection_due || young_count > nmem / 16 ? collect_whole_heap() : collect_young_cells();
    // Rewriting a root never hides a cell: the roots are always traced.
    survived[nptr] = survived[vptr] = 0;
    young_count = 0;
    young_tail = nmem;
    full_collection_due = false;
    // The cells counted unwritten were garbage by now, had they been made.
    listed_after_collection = still_listed + freed;
    spare_cells = spare_after_collection = listed_after_collection + (MEM_SIZE - nmem);
#if defined(JOR_HEAP_CHECK) || defined(JOR_SANITIZED)
    if (!heap_consistent() || !heap_fully_collected() || int(free_list_length()) != listed_after_collection)
        __builtin_trap();
#endif
}

int cells_taken_since_collection() { return spare_after_collection - spare_cells; }

heap_mark heap_mark_now() {
    return {nmem, fmem, young_count, spare_cells, mem[nptr].u.w.first, mem[vptr].u.w.first, full_collection_due};
}

// The cells taken from the free list since the mark are logged in the order
// they were taken, each the head that the next one followed: linked again
// from the last to the first, they are the old list.
void heap_roll_back(const heap_mark &mark) {
    int head = fmem;
    for (int k = young_count - 1; k >= mark.young_count; k--) {
        int c = young_log[k];
        mem[c].type = CELL_FREE;
        mem[c].aux = 0;
        mem[c].u.w.first = head;
        head = c;
    }
    fmem = head;
    // Cells of the never-used tail are zero where they have never been written.
    for (int c = mark.nmem; c < nmem; c++) mem[c] = cell {};
    young_count = mark.young_count;
    spare_cells = mark.spare_cells;
    nmem = mark.nmem;
    mem[nptr].u.w.first = mark.names;
    mem[vptr].u.w.first = mark.values;
    full_collection_due = mark.full_collection_due;
}

bool heap_consistent() {
    long on_list = free_list_length();
    if (on_list < 0) return false;
    int free_cells = 0;
    std::vector<const char *> names;
    for (int c = 0; c < nmem; c++) {
        int type = mem[c].type;
        if (type < CELL_FREE || type > CELL_LIBPROC) return false;
        if (type == CELL_FREE) free_cells++;
        if (type == CELL_SYMBOL) names.push_back(mem[c].u.name);
    }
    // Lookup takes a symbol cell for its name: no name has two.
    std::sort(names.begin(), names.end());
    if (std::adjacent_find(names.begin(), names.end()) != names.end()) return false;
    // Every spare cell is there to be taken.
    return free_cells == on_list && spare_cells <= on_list + (MEM_SIZE - nmem);
}

bool heap_fully_collected() {
    std::vector<unsigned char> kept(survived, survived + nmem);
    trace_whole_heap();
    bool all_reached = true;
    for (int c = 0; c < nmem; c++)
        if (survived[c] & UNREACHED) all_reached = false;
    std::copy(kept.begin(), kept.end(), survived);
    return all_reached;
}
