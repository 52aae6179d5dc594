// The control and delay forms, rows of the built-in table.
#pragma once

#include "eval/eval.h"

int proc_quote(const char *name, int args, int names, int values);
int proc_if(const char *name, int args, int names, int values);
// The branch of an IF form that its test chooses (the test evaluated, the
// branch not yet).
[[gnu::always_inline]] inline int if_branch(const char *name, int args, int names, int values) {
    check_length(args, 3, name);
    // has_length has seen the three pairs.
    int test = evaluate_test(first_word(args), name, names, values);
    int branches = second_word(args);
    return test ? first_word(branches) : first_word(second_word(branches));
}
// Whether AND, OR and NOT hold (table.h).
int truth_and(const char *name, int args, int names, int values);
int truth_or(const char *name, int args, int names, int values);
int truth_not(const char *name, int args, int names, int values);
int proc_delay(const char *name, int args, int names, int values);
int proc_force(const char *name, int args, int names, int values);
int proc_lazy(const char *name, int args, int names, int values);
