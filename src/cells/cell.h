// The value model: one 16-byte cell per value in the global array mem,
// addressed by a signed 32-bit index; every negative index is the empty list.
//
//   cell:  | type word (32) | aux (32) | payload (64)                        |
//   type word: the tag (the collector keeps its flags beside the heap)
//   aux:       symbol: the index of its name's record in the name index
//              pair: 0, or what evaluation keeps of it as a form (symbols.h);
//              0 again whenever the pair is freed or its car rewritten
//   payload:   pair/procedure/libproc: first word (32) | second word (32)
//              integer/boolean/free:   first word holds the value / next free
//              real:   one double         symbol: pointer to its name string
#pragma once
#include <cstdint>

#include "errors/xerror.h"

enum cell_tag : int32_t {
    CELL_FREE,
    CELL_SYMBOL,
    CELL_INTEGER,
    CELL_REAL,
    CELL_BOOLEAN,
    CELL_PAIR,
    CELL_PROCEDURE,
    CELL_LIBPROC,
};
constexpr int CELL_TAG_COUNT = 8;
constexpr int NIL = -1;
constexpr int FORCED_MARK = -2;  // car of a forced promise's code pair

struct cell {
    int32_t type;
    int32_t aux;
    union {
        struct {
            int32_t first;
            int32_t second;
        } w;
        double real;
        const char *name;
    } u;
};
static_assert(sizeof(cell) == 16);

extern cell *mem;
extern int MEM_SIZE;
extern int nmem;
extern int fmem;
extern int nptr;
extern int vptr;
// How many more cells requests may take before error 9 "mem": the free
// list's cells and the never-used tail's, less the cells counted by
// take_unwritten_cell since the last collection.
extern int spare_cells;

// What the collector needs to know of the work between two collections: the
// cells the free list handed out (the cells from nmem up are new as well),
// which cells were in use at the last collection, and whether a field of
// such a cell has been rewritten since.
extern int *young_log;
extern int young_count;
extern unsigned char *survived;
extern bool full_collection_due;

[[noreturn, gnu::cold]] void heap_exhausted();
[[noreturn, gnu::cold]] void wrong_argument(const char *operation);

// A cell for a constructor: the head of the free list, else the next cell of
// the never-used tail; error 9 "mem" when no cell is spare. No collection is
// attempted here.
inline int find_free() {
    if (spare_cells <= 0) [[unlikely]] heap_exhausted();
    spare_cells--;
    if (fmem >= 0) {
        int i = fmem;
        fmem = mem[i].u.w.first;
        young_log[young_count++] = i;
        return i;
    }
    return nmem++;
}
// A cell the evaluator would make and drop at once, that nothing can ever
// reach, is counted here instead of written: the request fails exactly when
// find_free's would, and the count per statement is the same. Such a cell
// would be garbage at the next collection, which makes it spare again.
inline void take_unwritten_cell() {
    if (spare_cells <= 0) [[unlikely]] heap_exhausted();
    spare_cells--;
}

inline bool has_tag(int i, cell_tag tag) { return i >= 0 && mem[i].type == tag; }

// Constructors: each takes one cell from find_free (error 9 "mem" when none is left).
inline int make_integer(int32_t value) {
    int i = find_free();
    mem[i].type = CELL_INTEGER;
    mem[i].u.w.first = value;
    return i;
}
inline int make_real(double value) {
    int i = find_free();
    mem[i].type = CELL_REAL;
    mem[i].u.real = value;
    return i;
}
inline int make_boolean(int value) {
    int i = find_free();
    mem[i].type = CELL_BOOLEAN;
    mem[i].u.w.first = value;
    return i;
}
// What get_boolean would read from make_boolean(value), for a caller that
// reads it at once: the cell is counted, not made.
inline int unwritten_boolean(int value) {
    take_unwritten_cell();
    return value;
}
inline int make_pair(int car, int cdr) {
    int i = find_free();
    mem[i].type = CELL_PAIR;
    mem[i].u.w.first = car;
    mem[i].u.w.second = cdr;
    return i;
}
inline int make_procedure(int code, int environment) {
    int i = find_free();
    mem[i].type = CELL_PROCEDURE;
    mem[i].u.w.first = code;
    mem[i].u.w.second = environment;
    return i;
}
inline int make_libproc(int symbol_cell, int row) {
    int i = find_free();
    mem[i].type = CELL_LIBPROC;
    mem[i].u.w.first = symbol_cell;
    mem[i].u.w.second = row;
    return i;
}
// An integer cell when x is whole and within 32 bits, else a real cell.
int make_number(double x);

// Predicates: 1 or 0, never an error.
inline int is_null(int i) { return i < 0; }
inline int is_pair(int i) { return has_tag(i, CELL_PAIR); }
inline int is_atom(int i) { return !is_pair(i); }
inline int is_symbol(int i) { return has_tag(i, CELL_SYMBOL); }
inline int is_integer(int i) { return has_tag(i, CELL_INTEGER); }
inline int is_real(int i) { return has_tag(i, CELL_REAL); }
inline int is_number(int i) { return is_integer(i) || is_real(i); }
inline int is_boolean(int i) { return has_tag(i, CELL_BOOLEAN); }
inline int is_procedure(int i) { return has_tag(i, CELL_PROCEDURE) || has_tag(i, CELL_LIBPROC); }
inline int is_libproc(int i) { return has_tag(i, CELL_LIBPROC); }
inline int is_closure(int i) { return has_tag(i, CELL_PROCEDURE); }

// Called before a field of an existing cell is rewritten. A cell that was in
// use at the last collection may drop the last reference to another such
// cell, which only a full collection finds.
inline void note_rewrite(int i) {
    if (survived[i]) full_collection_due = true;
}

// Checked accessors: a wrong tag (NIL included) is error 13 naming the operation.
inline int get_car(int i) {
    if (!is_pair(i)) [[unlikely]] wrong_argument("CAR");
    return mem[i].u.w.first;
}
inline int get_cdr(int i) {
    if (!is_pair(i)) [[unlikely]] wrong_argument("CDR");
    return mem[i].u.w.second;
}
inline int set_car(int i, int value) {
    if (!is_pair(i)) [[unlikely]] wrong_argument("SET-CAR!");
    note_rewrite(i);
    mem[i].aux = 0;
    mem[i].u.w.first = value;
    return i;
}
inline int set_cdr(int i, int value) {
    if (!is_pair(i)) [[unlikely]] wrong_argument("SET-CDR!");
    note_rewrite(i);
    mem[i].u.w.second = value;
    return i;
}
inline double get_number(int i, const char *operation) {
    if (is_integer(i)) return mem[i].u.w.first;
    if (!is_real(i)) [[unlikely]] wrong_argument(operation);
    return mem[i].u.real;
}
inline const char *get_symbol(int i, const char *operation) {
    if (!is_symbol(i)) [[unlikely]] wrong_argument(operation);
    return mem[i].u.name;
}
inline int get_boolean(int i, const char *operation) {
    if (!is_boolean(i)) [[unlikely]] wrong_argument(operation);
    return mem[i].u.w.first;
}

// Unchecked field reads for code that has just tested the tag itself.
inline int first_word(int i) { return mem[i].u.w.first; }
inline int second_word(int i) { return mem[i].u.w.second; }
inline const char *symbol_name(int i) { return mem[i].u.name; }
inline int cell_type(int i) { return mem[i].type; }

// The type name shown in messages: "Пустой список" for NIL.
const char *cell_typeid(int i);
const char *type2name(int tag);
