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

int truth_atom(const char *s, int a, int n, int v) { return test_argument(s, a, n, v, is_atom); }
int truth_number(const char *s, int a, int n, int v) { return test_argument(s, a, n, v, is_number); }
int truth_pair(const char *s, int a, int n, int v) { return test_argument(s, a, n, v, is_pair); }
int truth_real(const char *s, int a, int n, int v) { return test_argument(s, a, n, v, is_real); }
int truth_integer(const char *s, int a, int n, int v) { return test_argument(s, a, n, v, is_integer); }
int truth_symbol(const char *s, int a, int n, int v) { return test_argument(s, a, n, v, is_symbol); }
int truth_procedure(const char *s, int a, int n, int v) { return test_argument(s, a, n, v, is_procedure); }
int truth_boolean(const char *s, int a, int n, int v) { return test_argument(s, a, n, v, is_boolean); }
int truth_null(const char *s, int a, int n, int v) { return test_argument(s, a, n, v, is_null); }
