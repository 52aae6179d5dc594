// Names and environments: interning, global definitions, lookup through the
// frames and then among the built-in names, and the equality of names.
#pragma once
#include <vector>

#include "cells/cell.h"

constexpr int UNBOUND = -2;

// The one symbol cell of a name (a new one when none exists).
int make_symbol(const char *name);
// Binds name to value at the front of the global frame.
void add_value(int name, int value);
int find_symb(int name_frame, int value_frame, int symbol);
// Looks symbol up in the environment, then among the built-ins; error 15
// when nothing binds it.
inline int assoc(int names, int values, int symbol);
// The value symbol is bound to in the environment, or UNBOUND when the
// answer is its built-in (or error 15, see builtin_row_of). Takes no cell.
inline int bound_value(int names, int values, int symbol);
// The built-in row of a name no environment binds; error 15 when it has none.
inline int builtin_row_of(int symbol);
// True when the global frame or the built-in names know the symbol.
int is_defined(int symbol);
int eq(int a, int b, const char *name);
// Notes the names of a parameter list or of a LET frame, which local frames
// may from now on bind. Names never noted are looked up without walking the
// local frames (unless a malformed parameter list, whose frames raise an
// error when walked, has been noted).
void note_local_names(int names);
// Empties the global frame (the roots' cars), which otherwise only grows.
void clear_global_frame();
// Forgets every interned name; call with the heap's reset.
void symbols_reset();

// What is known about one name: its canonical string, the symbol cell that
// may hold it (re-validated on use: the collector may have freed it), the
// value-frame pair of its newest global binding, and its built-in row (1-56,
// 0 for the car/cdr family, -1 for none). A symbol cell keeps the index of
// its record in its aux word. Lookup reads these inline; only symbols.cpp
// writes them.
struct name_record {
    const char *canonical;
    int cell;
    int global_value;
    int builtin_row;
    bool bound_locally;  // some parameter list or LET frame has named it
};

namespace symbols_detail {
extern std::vector<name_record> records;
// Set once a parameter list ends in something other than NIL or a symbol:
// walking such a frame is an error, so no lookup may skip it.
extern bool malformed_frames;
// The walk through every frame; UNBOUND when none binds the symbol.
int frame_binding(int names, int values, int symbol);
[[noreturn, gnu::cold]] void unknown_name(int symbol);

inline const name_record &record_of(int s) { return records[mem[s].aux]; }

// The binding in the first local frames, for a name some local frame may
// bind: a hit on the symbol itself in a frame made as procedures and LET
// make them. Anything else, a miss included, takes the general walk from
// the frame in hand, which skipped frames could not have answered.
//
// A name has one symbol cell at a time (make_symbol makes one only when its
// record's cell is no longer that name's symbol), so an entry that is
// another cell is another name.
inline int local_binding(int N, int V, int s) {
    while (N >= 0 && N != nptr) {
        if (mem[N].type != CELL_PAIR || V < 0 || mem[V].type != CELL_PAIR) break;
        int F = mem[N].u.w.first, W = mem[V].u.w.first;
        for (;;) {
            if (F < 0) break;
            if (mem[F].type != CELL_PAIR || (W >= 0 && mem[W].type != CELL_PAIR)) return frame_binding(N, V, s);
            if (mem[F].u.w.first == s) return W >= 0 ? mem[W].u.w.first : frame_binding(N, V, s);
            F = mem[F].u.w.second;
            if (W >= 0) W = mem[W].u.w.second;
        }
        N = mem[N].u.w.second;
        V = mem[V].u.w.second;
    }
    return frame_binding(N, V, s);
}
}  // namespace symbols_detail

// A name that no local frame can bind skips the local frames. Without a
// global binding the answer is the built-in whatever the frames hold;
// with one, it holds only where the environment ends in the global frame.
inline int bound_value(int N, int V, int s) {
    using namespace symbols_detail;
    const name_record &record = record_of(s);
    if (record.bound_locally || malformed_frames) [[unlikely]] return local_binding(N, V, s);
    int link = record.global_value;
    if (link < 0) return UNBOUND;
    while (N >= 0 && N != nptr) N = mem[N].u.w.second;
    return N == nptr ? mem[link].u.w.first : UNBOUND;
}

inline int builtin_row_of(int s) {
    int row = symbols_detail::record_of(s).builtin_row;
    if (row < 0) [[unlikely]] symbols_detail::unknown_name(s);
    return row;
}

// A form whose operator is a name that no environment can bind (no local
// frame may, and it has no global binding) keeps that name's built-in row in
// its pair's aux word, as operator_rows_base + row. Whenever some name could
// gain a binding for the first time, the base moves on, and every row kept
// before stops counting.
namespace symbols_detail {
extern int operator_rows_base;
constexpr int OPERATOR_ROWS = 64;
static_assert(OPERATOR_ROWS >= 57);
}  // namespace symbols_detail

// The row form keeps, or -1.
inline int kept_operator_row(int form) {
    unsigned row = unsigned(mem[form].aux) - unsigned(symbols_detail::operator_rows_base);
    return row < unsigned(symbols_detail::OPERATOR_ROWS) ? int(row) : -1;
}
// Called when form's operator, the name s, has just given the built-in row.
inline void keep_operator_row(int form, int s, int row) {
    using namespace symbols_detail;
    const name_record &record = record_of(s);
    if (!record.bound_locally && !malformed_frames && record.global_value < 0)
        mem[form].aux = operator_rows_base + row;
}

// A built-in value is a new cell at every lookup.
inline int assoc(int N, int V, int s) {
    int value = bound_value(N, V, s);
    return value != UNBOUND ? value : make_libproc(s, builtin_row_of(s));
}

// Notes the names and their bindings, and forgets every name interned and
// every binding noted since, with its copy in the symbol table: for work
// that must leave no trace, with the heap's mark. One mark at a time.
void symbols_mark();
void symbols_roll_back();
