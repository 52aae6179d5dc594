// Interning and lookup. Owns the name index over the symbol table.
//
// Every name has one canonical name string: a built-in's is its row's name,
// every other name's is a copy kept in the symbol table. The index maps a
// name to its record, so interning never scans the heap and looking up a
// global or built-in name never walks the global frame or compares strings.
#include "eval/symbols.h"

#include <climits>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "builtins/table.h"
#include "cells/cell.h"
#include "cells/heap.h"
#include "cells/xalloc.h"

namespace symbols_detail {
std::vector<name_record> records;
bool malformed_frames;
int operator_rows_base = OPERATOR_ROWS;  // a pair's aux of 0 names no row
}  // namespace symbols_detail
using namespace symbols_detail;

namespace {
// Every operator row kept so far stops counting. Past the last base, the
// rows kept in the heap's pairs are erased and the bases start again.
void forget_operator_rows() {
    if (operator_rows_base > INT_MAX - 2 * OPERATOR_ROWS) {
        for (int c = 0; c < nmem; c++)
            if (mem[c].type == CELL_PAIR) mem[c].aux = 0;
        operator_rows_base = 0;
    }
    operator_rows_base += OPERATOR_ROWS;
}

std::unordered_map<std::string_view, int> name_index;

int add_record(const char *canonical, int builtin_row) {
    records.push_back({canonical, NIL, NIL, builtin_row, false});
    int index = int(records.size()) - 1;
    name_index.emplace(canonical, index);
    return index;
}

void index_builtins() {
    for (int row = 1; row < FUNC_COUNT; row++) add_record(func[row].name, row);
}

const char *intern_new_name(const char *name) {
    if (nsymbol >= MEM_SIZE) raise_error(ERR_TABLE_FULL, "symbol");
    std::size_t n = strlen(name) + 1;
    char *copy = static_cast<char *>(xmalloc(n, "symbol"));
    memcpy(copy, name, n);
    symbol[nsymbol++] = copy;
    return copy;
}

bool holds_symbol(const name_record &record) {
    int cell = record.cell;
    return cell >= 0 && cell < nmem && mem[cell].type == CELL_SYMBOL && mem[cell].u.name == record.canonical;
}

int new_symbol_cell(int record) {
    int i = find_free();
    mem[i].type = CELL_SYMBOL;
    mem[i].aux = record;
    mem[i].u.name = records[record].canonical;
    return i;
}

inline name_record &record_to_change(int s) { return records[mem[s].aux]; }

// The newest global binding of s, without walking the global frame.
inline int global_value(int s) {
    int link = record_of(s).global_value;
    return link < 0 ? UNBOUND : mem[link].u.w.first;
}
}  // namespace

namespace {
std::vector<name_record> marked_records;
int marked_nsymbol;
}  // namespace

void symbols_mark() {
    marked_records = records;
    marked_nsymbol = nsymbol;
}

// A name interned since the mark leaves the index before its copy is freed,
// since the index holds views of the copies.
void symbols_roll_back() {
    for (std::size_t i = marked_records.size(); i < records.size(); i++) name_index.erase(records[i].canonical);
    for (int i = marked_nsymbol; i < nsymbol; i++) xfree(const_cast<char *>(symbol[i]));
    nsymbol = marked_nsymbol;
    records.swap(marked_records);
    marked_records.clear();
}

void symbols_reset() {
    name_index.clear();
    records.clear();
    malformed_frames = false;
}

void clear_global_frame() {
    set_car(nptr, NIL);
    set_car(vptr, NIL);
    full_collection_due = true;  // the roots let go of cells in use
    for (name_record &record : records) record.global_value = NIL;
}

namespace {
void note_local_name(int s) {
    name_record &record = record_to_change(s);
    if (record.bound_locally) return;
    record.bound_locally = true;
    forget_operator_rows();
}
}  // namespace

void note_local_names(int names) {
    for (; is_pair(names); names = mem[names].u.w.second)
        if (is_symbol(mem[names].u.w.first)) note_local_name(mem[names].u.w.first);
    if (is_symbol(names)) {
        note_local_name(names);
    } else if (names >= 0 && !malformed_frames) {
        malformed_frames = true;
        forget_operator_rows();
    }
}

int make_symbol(const char *name) {
    if (name_index.empty()) index_builtins();
    auto found = name_index.find(name);
    int index;
    if (found != name_index.end()) {
        index = found->second;
    } else {
        const char *canonical = intern_new_name(name);
        index = add_record(canonical, is_cadr(canonical) ? CADR_ROW : -1);
    }
    name_record &record = records[index];
    if (!holds_symbol(record)) record.cell = new_symbol_cell(index);
    return record.cell;
}

void add_value(int name, int value) {
    int name_link = make_pair(name, get_car(nptr));
    int value_link = make_pair(value, get_car(vptr));
    set_car(nptr, name_link);
    set_car(vptr, value_link);
    if (!is_symbol(name)) return;
    name_record &record = record_to_change(name);
    if (record.global_value < 0) forget_operator_rows();
    record.global_value = value_link;
}

namespace {
// eq of a frame entry with the symbol looked up.
inline bool names_symbol(int entry, int s) {
    return entry == s || (is_symbol(entry) && mem[entry].u.name == mem[s].u.name);
}
}  // namespace

int find_symb(int F, int W, int s) {
    for (;;) {
        if (F < 0) return UNBOUND;
        if (is_symbol(F)) return names_symbol(F, s) ? W : UNBOUND;
        if (names_symbol(get_car(F), s)) {
            if (W < 0) raise_error(ERR_BAD_ARG, "LETREC");
            return get_car(W);
        }
        F = get_cdr(F);
        if (W >= 0) W = get_cdr(W);
    }
}

void symbols_detail::unknown_name(int s) { raise_error(ERR_UNKNOWN, symbol_name(s)); }

// The walk through every frame of the environment, for names some local
// frame may bind. In the global frame, which is always reached through the
// root nptr, the record's newest binding stands for the walk through it.
int symbols_detail::frame_binding(int N, int V, int s) {
    while (N >= 0) {
        if (N == nptr) return global_value(s);
        int value = find_symb(get_car(N), get_car(V), s);
        if (value != UNBOUND) return value;
        N = get_cdr(N);
        V = get_cdr(V);
    }
    return UNBOUND;
}

int is_defined(int s) { return global_value(s) != UNBOUND || record_of(s).builtin_row >= 0; }

int eq(int a, int b, const char *name) {
    if (is_symbol(a) && is_symbol(b)) return mem[a].u.name == mem[b].u.name;
    if (is_number(a) && is_number(b)) return get_number(a, name) == get_number(b, name);
    if (is_boolean(a) && is_boolean(b)) return mem[a].u.w.first == mem[b].u.w.first;
    return a == b;
}
