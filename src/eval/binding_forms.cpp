// DEFINE, LAMBDA, LET, LETREC and CURRY: the forms that make procedures and
// bind names.
#include "eval/binding_forms.h"

#include "cells/cell.h"
#include "errors/guards.h"
#include "eval/eval.h"
#include "eval/symbols.h"

namespace {
// Every car of a procedure header, the name included, and a dotted rest
// parameter must be symbols.
void check_header(int header, const char *s) {
    int t = header;
    for (; is_pair(t); t = get_cdr(t))
        if (!is_symbol(get_car(t))) raise_error(ERR_BAD_ARG, s);
    if (t >= 0 && !is_symbol(t)) raise_error(ERR_BAD_ARG, s);
}

int second_argument(int args) { return get_car(get_cdr(args)); }
}  // namespace

int proc_define(const char *s, int args, int N, int V) {
    check_length(args, 2, s);
    int t = get_car(args);
    if (!is_pair(t)) {
        int value = lazy_mode ? make_promise(second_argument(args), N, V) : eval(second_argument(args), N, V);
        add_value(t, value);
        return t;
    }
    check_header(t, s);
    int body = second_argument(args);
    if (lazy_mode) body = make_pair(make_symbol("DELAY"), make_pair(body, NIL));
    int procedure = make_closure(get_cdr(t), body, N, V);
    add_value(get_car(t), procedure);
    return get_car(t);
}

int proc_lambda(const char *s, int args, int N, int V) {
    check_length(args, 2, s);
    return make_closure(get_car(args), second_argument(args), N, V);
}

// The names of a binding list. Every binding is validated, first to last,
// before the first pair of the names is taken, so a malformed binding is
// reported as such even when no cell is left. Loops, so that a LET may have
// as many bindings as the heap holds.
int perem_list(int bindings, const char *s) {
    for (int rest = bindings; rest >= 0; rest = get_cdr(rest)) {
        if (!is_pair(rest)) raise_error(ERR_BAD_ARG, s);
        int binding = get_car(rest);
        check_length(binding, 2, s);
        if (!is_symbol(get_car(binding))) raise_error(ERR_BAD_ARG, s);
    }
    int result = NIL, last = NIL;
    for (; bindings >= 0; bindings = get_cdr(bindings)) {
        int link = make_pair(get_car(get_car(bindings)), NIL);
        if (last < 0)
            result = link;
        else
            set_cdr(last, link);
        last = link;
    }
    note_local_names(result);
    return result;
}

int expr_list(int bindings, const char *s) {
    int result = NIL, last = NIL;
    for (; bindings >= 0; bindings = get_cdr(bindings)) {
        if (!is_pair(bindings)) raise_error(ERR_BAD_ARG, s);
        int link = make_pair(second_argument(get_car(bindings)), NIL);
        if (last < 0)
            result = link;
        else
            set_cdr(last, link);
        last = link;
    }
    return result;
}

int eval_last(int list, int N, int V) {
    int value = NIL;
    for (; list >= 0; list = get_cdr(list)) value = eval(get_car(list), N, V);
    return value;
}

int proc_let(const char *s, int args, int N, int V) {
    check_narg(narg(args, s) >= 1, s);
    int names = perem_list(get_car(args), s);
    int exprs = expr_list(get_car(args), s);
    int values = lazy_mode ? lazy_list(exprs, N, V, s) : eval_list(exprs, N, V, s);
    return eval_last(get_cdr(args), make_pair(names, N), make_pair(values, V));
}

int proc_letrec(const char *s, int args, int N, int V) {
    check_narg(narg(args, s) >= 1, s);
    int N2 = make_pair(perem_list(get_car(args), s), N);
    int V2 = make_pair(NIL, V);
    int exprs = expr_list(get_car(args), s);
    int values = lazy_mode ? lazy_list(exprs, N2, V2, s) : eval_list(exprs, N2, V2, s);
    set_car(V2, values);
    return eval_last(get_cdr(args), N2, V2);
}

int proc_curry(const char *s, int args, int N, int V) {
    check_length(args, 1, s);
    int v = eval(get_car(args), N, V);
    curry_mode = get_boolean(v, s);
    return v;
}
