// The type predicates: one argument, evaluated, tested, answered with a boolean.
#include "builtins/builtins.h"
#include "cells/cell.h"
#include "eval/eval.h"

namespace {
int test_argument(const char *name, int args, int names, int values, int (*test)(int)) {
    check_length(args, 1, name);
    return test(eval(get_car(args), names, values));
}
}  // namespace

int proc_atom(const char *s, int a, int n, int v) { return make_boolean(test_argument(s, a, n, v, is_atom)); }
int proc_number(const char *s, int a, int n, int v) { return make_boolean(test_argument(s, a, n, v, is_number)); }
int proc_pair(const char *s, int a, int n, int v) { return make_boolean(test_argument(s, a, n, v, is_pair)); }
int proc_real(const char *s, int a, int n, int v) { return make_boolean(test_argument(s, a, n, v, is_real)); }
int proc_integer(const char *s, int a, int n, int v) { return make_boolean(test_argument(s, a, n, v, is_integer)); }
int proc_symbol(const char *s, int a, int n, int v) { return make_boolean(test_argument(s, a, n, v, is_symbol)); }
int proc_procedure(const char *s, int a, int n, int v) { return make_boolean(test_argument(s, a, n, v, is_procedure)); }
int proc_boolean(const char *s, int a, int n, int v) { return make_boolean(test_argument(s, a, n, v, is_boolean)); }
int proc_null(const char *s, int a, int n, int v) { return make_boolean(test_argument(s, a, n, v, is_null)); }

int test_atom(const char *s, int a, int n, int v) { return unwritten_boolean(test_argument(s, a, n, v, is_atom)); }
int test_number(const char *s, int a, int n, int v) { return unwritten_boolean(test_argument(s, a, n, v, is_number)); }
int test_pair(const char *s, int a, int n, int v) { return unwritten_boolean(test_argument(s, a, n, v, is_pair)); }
int test_real(const char *s, int a, int n, int v) { return unwritten_boolean(test_argument(s, a, n, v, is_real)); }
int test_integer(const char *s, int a, int n, int v) { return unwritten_boolean(test_argument(s, a, n, v, is_integer)); }
int test_symbol(const char *s, int a, int n, int v) { return unwritten_boolean(test_argument(s, a, n, v, is_symbol)); }
int test_procedure(const char *s, int a, int n, int v) {
    return unwritten_boolean(test_argument(s, a, n, v, is_procedure));
}
int test_boolean(const char *s, int a, int n, int v) { return unwritten_boolean(test_argument(s, a, n, v, is_boolean)); }
int test_null(const char *s, int a, int n, int v) { return unwritten_boolean(test_argument(s, a, n, v, is_null)); }
