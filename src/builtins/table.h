// The table of predefined names: every built-in procedure and special form is
// one row {name, procedure, arity}; a built-in value stores its row number.
#pragma once
#include <array>

// Called with the name it was reached by, the argument expressions as
// written, and the caller's environment; evaluates what it needs itself.
using libproc_fn = int (*)(const char *name, int args, int names, int values);

struct func_entry {
    const char *name;
    libproc_fn proc;
    int arity;  // how many leading arguments an error-13 report shows evaluated
};

constexpr int FUNC_COUNT = 57;
constexpr int CADR_ROW = 0;  // "CR": the whole car/cdr family
constexpr int IF_ROW = 12;   // evaluated in place by the evaluator
extern const func_entry func[FUNC_COUNT];
// For a built-in whose value is always a new boolean: the same evaluation
// for a test that reads that value at once (IF, AND, OR, NOT), answering 0 or
// 1 with the boolean's cell counted but not made. Null for the other rows.
extern const std::array<libproc_fn, FUNC_COUNT> func_test;

// The row among 1-56 whose name is `name`, or 0 when there is none.
int builtin_row(const char *name);
// True for C, one or more of A and D, then R.
int is_cadr(const char *name);
