// Interning and lookup. Owns the name index over the symbol table.
//
// Every name has one canonical name string: a built-in's is its row's name,
// every other name's is a copy kept in the symbol table. The index maps a
// name to that string and to the one symbol cell that may hold it; the cell
// is re-validated on use, since the collector may have freed it since.
#include "eval/symbols.h"

#include <cstring>
#include <string_view>
#include <unordered_map>

#include "builtins/table.h"
#include "cells/cell.h"
#include "cells/heap.h"
#include "cells/xalloc.h"

namespace {
struct name_entry {
    const char *canonical;
    int cell;
};
std::unordered_map<std::string_view, name_entry> name_index;

void index_builtins() {
    for (int row = 1; row < FUNC_COUNT; row++) name_index.emplace(func[row].name, name_entry {func[row].name, NIL});
}

const char *intern_new_name(const char *name) {
    if (nsymbol >= MEM_SIZE) raise_error(ERR_TABLE_FULL, "symbol");
    std::size_t n = strlen(name) + 1;
    char *copy = static_cast<char *>(xmalloc(n, "symbol"));
    memcpy(copy, name, n);
    symbol[nsymbol++] = copy;
    return copy;
}

bool holds_symbol(int cell, const char *canonical) {
    return cell >= 0 && cell < nmem && mem[cell].type == CELL_SYMBOL && mem[cell].u.name == canonical;
}

int new_symbol_cell(const char *canonical) {
    int i = find_free();
    mem[i].type = CELL_SYMBOL;
    mem[i].u.name = canonical;
    return i;
}
}  // namespace

void symbols_reset() { name_index.clear(); }

int make_symbol(const char *name) {
    if (name_index.empty()) index_builtins();
    auto found = name_index.find(name);
    if (found == name_index.end()) {
        const char *canonical = intern_new_name(name);
        found = name_index.emplace(canonical, name_entry {canonical, NIL}).first;
    }
    name_entry &entry = found->second;
    if (!holds_symbol(entry.cell, entry.canonical)) entry.cell = new_symbol_cell(entry.canonical);
    return entry.cell;
}

void add_value(int name, int value) {
    int name_link = make_pair(name, get_car(nptr));
    int value_link = make_pair(value, get_car(vptr));
    set_car(nptr, name_link);
    set_car(vptr, value_link);
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

namespace {
int builtin_value(int s) {
    const char *name = symbol_name(s);
    if (is_cadr(name)) return make_libproc(s, CADR_ROW);
    int row = builtin_row_of_canonical(name);
    if (row > 0) return make_libproc(s, row);
    raise_error(ERR_UNKNOWN, name);
}
}  // namespace

int assoc(int N, int V, int s) {
    while (N >= 0) {
        int value = find_symb(get_car(N), get_car(V), s);
        if (value != UNBOUND) return value;
        N = get_cdr(N);
        V = get_cdr(V);
    }
    return builtin_value(s);
}

int is_defined(int s) {
    if (find_symb(get_car(nptr), get_car(vptr), s) != UNBOUND) return 1;
    const char *name = symbol_name(s);
    return is_cadr(name) || builtin_row_of_canonical(name) > 0;
}

int eq(int a, int b, const char *name) {
    if (is_symbol(a) && is_symbol(b)) return mem[a].u.name == mem[b].u.name;
    if (is_number(a) && is_number(b)) return get_number(a, name) == get_number(b, name);
    if (is_boolean(a) && is_boolean(b)) return mem[a].u.w.first == mem[b].u.w.first;
    return a == b;
}
