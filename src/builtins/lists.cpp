// CONS, EQ and the car/cdr family. Under currying a one-argument CONS or EQ
// becomes a procedure of X that supplies the missing argument.
#include "builtins/builtins.h"
#include "builtins/table.h"
#include "cells/cell.h"
#include "eval/eval.h"
#include "eval/symbols.h"

namespace {
int list2(int a, int b) { return make_pair(a, make_pair(b, NIL)); }
int list3(int a, int b, int c) { return make_pair(a, list2(b, c)); }

// (LAMBDA (X) (OPERATION supplied X)) with the environment (NIL . NIL), so the
// body sees only X and the built-in names.
int partial_application(const char *operation, int supplied) {
    int x = make_symbol("X");
    int body = list3(make_symbol(operation), supplied, x);
    return make_closure(make_pair(x, NIL), body, NIL, NIL);
}

int quoted(int value) { return list2(make_symbol("QUOTE"), value); }

int get_cr(int value, const char *name) {
    int last = 0;
    while (name[last + 1]) last++;  // the final R
    for (int i = last - 1; i >= 1; i--) {
        value = check_force(value);
        if (!is_pair(value)) wrong_argument(name);
        value = name[i] == 'A' ? first_word(value) : second_word(value);
    }
    return value;
}
}  // namespace

int proc_cadr(const char *s, int args, int N, int V) {
    check_length(args, 1, s);
    return get_cr(eval(get_car(args), N, V), s);
}

int proc_cons(const char *s, int args, int N, int V) {
    int n = narg(args, s);
    if (n == 1 && curry_mode) {
        int first = get_car(args);
        int supplied = lazy_mode ? make_promise(first, N, V) : quoted(eval(first, N, V));
        return partial_application("CONS", supplied);
    }
    check_narg(n == 2, s);
    int first = get_car(args), second = get_car(get_cdr(args));
    if (lazy_mode) {
        int tail = make_promise(second, N, V);
        return make_pair(make_promise(first, N, V), tail);
    }
    int tail = eval(second, N, V);
    return make_pair(eval(first, N, V), tail);
}

int proc_eq(const char *s, int args, int N, int V) {
    int n = narg(args, s);
    if (n == 1 && curry_mode) return partial_application("EQ", quoted(eval(get_car(args), N, V)));
    check_narg(n == 2, s);
    int second = eval(get_car(get_cdr(args)), N, V);
    int first = eval(get_car(args), N, V);
    return make_boolean(eq(first, second, s));
}
