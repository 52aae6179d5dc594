// QUOTE, IF, AND, OR, NOT, DELAY, FORCE and LAZY: the forms that decide what
// is evaluated and when. Only booleans count as true or false.
#include "eval/control_forms.h"

#include "cells/cell.h"
#include "eval/eval.h"

namespace {
// AND stops at the first false value, OR at the first true one.
int short_circuit(const char *s, int args, int N, int V, int stop_at) {
    check_narg(narg(args, s) >= 1, s);
    int value = evaluate_test(get_car(args), s, N, V);
    for (int rest = get_cdr(args); rest >= 0 && (value != 0) != stop_at; rest = get_cdr(rest))
        value = evaluate_test(get_car(rest), s, N, V);
    return value;
}

}  // namespace

int proc_quote(const char *s, int args, int, int) {
    check_length(args, 1, s);
    return get_car(args);
}

int proc_if(const char *s, int args, int N, int V) {
    int branch = if_branch(s, args, N, V);
    return lazy_mode ? make_promise(branch, N, V) : eval(branch, N, V);
}

int truth_and(const char *s, int args, int N, int V) { return short_circuit(s, args, N, V, 0); }
int truth_or(const char *s, int args, int N, int V) { return short_circuit(s, args, N, V, 1); }
int truth_not(const char *s, int args, int N, int V) {
    check_length(args, 1, s);
    return !evaluate_test(get_car(args), s, N, V);
}

int proc_delay(const char *s, int args, int N, int V) {
    check_length(args, 1, s);
    return make_promise(get_car(args), N, V);
}

int proc_force(const char *s, int args, int N, int V) {
    check_length(args, 1, s);
    int v = eval(get_car(args), N, V);
    return is_lazy(v) ? force(v) : v;
}

int proc_lazy(const char *s, int args, int N, int V) {
    check_length(args, 1, s);
    int v = eval(get_car(args), N, V);
    lazy_mode = get_boolean(v, s);
    return v;
}
