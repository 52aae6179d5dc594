// The table of predefined names: every built-in procedure and special form is
// one row {name, procedure, arity}; a built-in value stores its row number.
#pragma once

// Called with the name it was reached by, the argument expressions as
// written, and the caller's environment; evaluates what it needs itself.
using libproc_fn = int (*)(const char *name, int args, int names, int values);

struct func_entry {
    const char *name;
    libproc_fn proc;
    int arity;  // how many leading arguments an error-13 report shows evaluated
    // For a built-in whose value is always a new boolean: whether it holds,
    // evaluated as proc evaluates it, for a test that reads the value at
    // once (IF, AND, OR, NOT) and so need not make it. Null for the others.
    libproc_fn truth = nullptr;
};

constexpr int FUNC_COUNT = 57;
constexpr int CADR_ROW = 0;  // "CR": the whole car/cdr family
constexpr int IF_ROW = 12;   // evaluated in place by the evaluator
extern const func_entry func[FUNC_COUNT];

// The row among 1-56 whose name is `name`, or 0 when there is none.
int builtin_row(const char *name);
// True for C, one or more of A and D, then R.
int is_cadr(const char *name);
