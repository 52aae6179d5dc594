// The evaluation core: eval, application with currying and promises, the
// argument-list helpers shared by the built-ins, and APPLY.
#pragma once

#include "cells/cell.h"
#include "eval/symbols.h"

extern int lazy_mode;
extern int curry_mode;

int is_lazy(int v);
int force(int promise);
int force_if_due(int v);
// A value as it is used: a promise is forced in lazy mode, and a forced
// promise stands for its value. Most values are no procedures at all, so
// that test is made where the value arrives.
inline int check_force(int v) {
    if (v < 0 || mem[v].type != CELL_PROCEDURE) return v;
    return force_if_due(v);
}

// The operator a call-trace entry holds for a built-in that was reached
// through the form's own operator name and applied there: no cell was made
// for it, so the entry names its row (every other operator is a cell or NIL).
constexpr int unwritten_builtin(int row) { return -3 - row; }
constexpr bool is_unwritten_builtin(int op) { return op <= -3; }
constexpr int unwritten_builtin_row(int op) { return -3 - op; }

// The application of a compound expression; passes the stack guard.
int evaluate_form(int e, int names, int values);
// get_boolean(evaluate_form(e, names, values), test_of), where a built-in's
// new boolean need not be made.
int evaluate_test_form(int e, int names, int values, const char *test_of);
// The evaluation of e in the environment (names . values), the one every
// caller inlines. Names and constants are answered here; they cannot
// recurse but through forcing, which passes the stack guard itself.
[[gnu::always_inline]] inline int eval(int e, int N, int V) {
    if (e < 0) return e;
    int type = mem[e].type;
    if (type == CELL_PAIR) return evaluate_form(e, N, V);
    return check_force(type == CELL_SYMBOL ? assoc(N, V, e) : e);
}
// get_boolean(eval(expression, names, values), test_of): a test reads the
// value it evaluates at once, so a built-in need not make its boolean.
[[gnu::always_inline]] inline int evaluate_test(int expression, const char *test_of, int N, int V) {
    if (expression >= 0 && mem[expression].type == CELL_PAIR) return evaluate_test_form(expression, N, V, test_of);
    return get_boolean(eval(expression, N, V), test_of);
}
// A new promise of expression e in the environment (names . values).
int make_promise(int e, int names, int values);
// A new user procedure with the code (params . body) and the environment
// (names . values).
int make_closure(int params, int body, int names, int values);

[[noreturn, gnu::cold]] void wrong_argument_count(const char *name);
// The number of arguments in a proper list, error 12 for an improper one.
inline int narg(int list, const char *name) {
    int n = 0;
    for (; list >= 0; list = mem[list].u.w.second, n++)
        if (mem[list].type != CELL_PAIR) [[unlikely]] wrong_argument_count(name);
    return n;
}
inline void check_narg(int ok, const char *name) {
    if (!ok) [[unlikely]] wrong_argument_count(name);
}
// True when list is a proper list of exactly n elements: narg(list) == n
// without the walk to the end of a longer list, and without its error.
inline bool has_length(int list, int n) {
    for (int k = 0; k < n; k++, list = mem[list].u.w.second)
        if (list < 0 || mem[list].type != CELL_PAIR) return false;
    return list < 0;
}
// check_narg(narg(list, name) == n, name): one error 12 for an improper
// list and for one of another length alike.
inline void check_length(int list, int n, const char *name) {
    if (!has_length(list, n)) [[unlikely]] wrong_argument_count(name);
}
int eval_list(int list, int names, int values, const char *name);
int lazy_list(int list, int names, int values, const char *name);
int evalk_list(int list, int names, int values, const char *name, int k);
// The arguments of a failed call of the built-in `op`, as far as its arity
// says, evaluated; the list as it is for any other operator. `form` is the
// call's form.
int evalarg_list(int args, int names, int values, int op, int form);
int quote_list(int list, const char *name);

int proc_apply(const char *name, int args, int names, int values);
