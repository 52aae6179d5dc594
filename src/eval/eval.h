// The evaluation core: eval1, application with currying and promises, the
// argument-list helpers shared by the built-ins, and APPLY.
#pragma once

#include "cells/cell.h"

extern int lazy_mode;
extern int curry_mode;

int eval1(int e, int names, int values);
// Every evaluation goes through this pointer. It never changes, so the
// compiler may call eval1 directly.
inline constexpr int (*eval)(int e, int names, int values) = eval1;

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
int eval_list(int list, int names, int values, const char *name);
int lazy_list(int list, int names, int values, const char *name);
int evalk_list(int list, int names, int values, const char *name, int k);
int evalarg_list(int args, int names, int values, int op);
int quote_list(int list, const char *name);

int proc_apply(const char *name, int args, int names, int values);
