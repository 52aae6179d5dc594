// The built-in table. A built-in value stores its row number, so the order of
// the rows is fixed; the checks below pin the rows that other code names.
#include "builtins/table.h"

#include <array>
#include <cstring>
#include <string_view>

#include "builtins/builtins.h"
#include "eval/binding_forms.h"
#include "eval/control_forms.h"
#include "eval/eval.h"

constexpr func_entry func[] = {
    {"CR", proc_cadr, 1},
    {"QUOTE", proc_quote, 0},
    {"ATOM", proc_atom, 1},
    {"NUMBER", proc_number, 1},
    {"NUMBER?", proc_number, 1},
    {"PAIR?", proc_pair, 1},
    {"REAL?", proc_real, 1},
    {"INTEGER?", proc_integer, 1},
    {"SYMBOL?", proc_symbol, 1},
    {"PROCEDURE?", proc_procedure, 1},
    {"BOOLEAN?", proc_boolean, 1},
    {"CONS", proc_cons, 2},
    {"IF", proc_if, 1},
    {"EQ", proc_eq, 2},
    {"EQ?", proc_eq, 2},
    {"NULL", proc_null, 1},
    {"NULL?", proc_null, 1},
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
    {"=", proc_eqn, 100},
    {">", proc_gtn, 100},
    {"<", proc_ltn, 100},
    {">=", proc_gen, 100},
    {"<=", proc_len, 100},
    {"DEFINE", proc_define, 0},
    {"LET", proc_let, 0},
    {"LETREC", proc_letrec, 0},
    {"AND", proc_and, 100},
    {"OR", proc_or, 100},
    {"NOT", proc_not, 1},
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
struct boolean_builtin {
    libproc_fn proc, test;
};
constexpr boolean_builtin boolean_builtins[] = {
    {proc_atom, test_atom},         {proc_number, test_number},   {proc_pair, test_pair},
    {proc_real, test_real},         {proc_integer, test_integer}, {proc_symbol, test_symbol},
    {proc_procedure, test_procedure}, {proc_boolean, test_boolean}, {proc_null, test_null},
    {proc_eqn, test_eqn},           {proc_gtn, test_gtn},         {proc_ltn, test_ltn},
    {proc_gen, test_gen},           {proc_len, test_len},
    {proc_and, test_and},           {proc_or, test_or},           {proc_not, test_not},
};

// Every row whose procedure is one of those, under each of its names.
consteval std::array<libproc_fn, FUNC_COUNT> tests_by_row() {
    std::array<libproc_fn, FUNC_COUNT> tests {};
    for (int row = 0; row < FUNC_COUNT; row++)
        for (const boolean_builtin &b : boolean_builtins)
            if (func[row].proc == b.proc) tests[row] = b.test;
    return tests;
}
}  // namespace

constexpr std::array<libproc_fn, FUNC_COUNT> func_test = tests_by_row();

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
