// The built-in table. A built-in value stores its row number, so the order of
// the rows is fixed; the checks below pin the rows that other code names.
#include "builtins/table.h"

#include <cstring>
#include <string_view>

#include "builtins/builtins.h"
#include "cells/cell.h"
#include "eval/binding_forms.h"
#include "eval/control_forms.h"
#include "eval/eval.h"

namespace {
// The row of a built-in that answers with a new boolean: its value is made
// from its truth.
template <libproc_fn truth>
int boolean_value(const char *name, int args, int names, int values) {
    return make_boolean(truth(name, args, names, values));
}
template <libproc_fn truth>
constexpr func_entry boolean_row(const char *name, int arity) {
    return {name, boolean_value<truth>, arity, truth};
}
}  // namespace

constexpr func_entry func[] = {
    {"CR", proc_cadr, 1},
    {"QUOTE", proc_quote, 0},
    boolean_row<truth_atom>("ATOM", 1),
    boolean_row<truth_number>("NUMBER", 1),
    boolean_row<truth_number>("NUMBER?", 1),
    boolean_row<truth_pair>("PAIR?", 1),
    boolean_row<truth_real>("REAL?", 1),
    boolean_row<truth_integer>("INTEGER?", 1),
    boolean_row<truth_symbol>("SYMBOL?", 1),
    boolean_row<truth_procedure>("PROCEDURE?", 1),
    boolean_row<truth_boolean>("BOOLEAN?", 1),
    {"CONS", proc_cons, 2},
    {"IF", proc_if, 1},
    {"EQ", proc_eq, 2},
    {"EQ?", proc_eq, 2},
    boolean_row<truth_null>("NULL", 1),
    boolean_row<truth_null>("NULL?", 1),
    {"SQRT", proc_sqrt, 1},
    {"MAX", proc_max, 100},
    {"MIN", proc_min, 100},
    {"SIN", proc_sin, 1},
    {"COS", proc_cos, 1},
    {"EXP", proc_exp, 1},
    {"LOG", proc_log, 1},
    {"ABS", proc_abs, 1},
    {"TAN", proc_tan, 1},
    {"ATAN", proc_atan, 2},
    {"ACOS", proc_acos, 1},
    {"ASIN", proc_asin, 1},
    {"FLOOR", proc_floor, 1},
    {"CEILING", proc_ceiling, 1},
    {"EXPT", proc_expt, 2},
    {"QUOTIENT", proc_quotient, 2},
    {"REMAINDER", proc_remainder, 2},
    {"/", proc_div, 2},
    {"*", proc_mul, 100},
    {"+", proc_add, 100},
    {"-", proc_sub, 100},
    boolean_row<truth_eqn>("=", 100),
    boolean_row<truth_gtn>(">", 100),
    boolean_row<truth_ltn>("<", 100),
    boolean_row<truth_gen>(">=", 100),
    boolean_row<truth_len>("<=", 100),
    {"DEFINE", proc_define, 0},
    {"LET", proc_let, 0},
    {"LETREC", proc_letrec, 0},
    boolean_row<truth_and>("AND", 100),
    boolean_row<truth_or>("OR", 100),
    boolean_row<truth_not>("NOT", 1),
    {"FORCE", proc_force, 0},
    {"DELAY", proc_delay, 0},
    {"LAMBDA", proc_lambda, 0},
    {"APPLY", proc_apply, 0},
    {"LAZY", proc_lazy, 1},
    {"CURRY", proc_curry, 1},
    {"LOAD", proc_load, 0},
    {"QUIT", proc_quit, 0},
};
static_assert(sizeof func / sizeof func[0] == FUNC_COUNT);

namespace {
consteval bool row_is(int row, const char *name) { return std::string_view(func[row].name) == name; }
static_assert(row_is(CADR_ROW, "CR") && row_is(1, "QUOTE") && row_is(11, "CONS") && row_is(IF_ROW, "IF") && row_is(36, "+") &&
              row_is(43, "DEFINE") && row_is(51, "LAMBDA") && row_is(56, "QUIT"));
}  // namespace

int builtin_row(const char *name) {
    for (int row = 1; row < FUNC_COUNT; row++)
        if (strcmp(func[row].name, name) == 0) return row;
    return 0;
}

int is_cadr(const char *name) {
    if (name[0] != 'C' || (name[1] != 'A' && name[1] != 'D')) return 0;
    const char *p = name + 1;
    while (*p == 'A' || *p == 'D') p++;
    return p[0] == 'R' && p[1] == '\0';
}
