// The parse-stack display. Owns stack_symbols and nstack_symbols, which the
// driver empties before every parse.
#include "reader/parse_display.h"

#include "errors/xerror.h"
#include "text/cp1251.h"

const char *stack_symbols[STACK_SYMBOLS_SIZE];
int nstack_symbols;

namespace {
constexpr cp_text<20> display_table_name = "стек синтаксиса";
}

void add_symbol(const char *name) {
    if (nstack_symbols >= STACK_SYMBOLS_SIZE) raise_error(ERR_TABLE_FULL, display_table_name);
    stack_symbols[nstack_symbols++] = name;
}

void set_symbol(const char *name, int n, bool lookahead) {
    int top = lookahead ? nstack_symbols - 1 : nstack_symbols;
    int start = top - n;
    if (start < 0) start = 0;  // never reaches below the display's start
    stack_symbols[start] = name;
    if (lookahead) stack_symbols[start + 1] = stack_symbols[top];
    nstack_symbols = start + 1 + (lookahead ? 1 : 0);
}

void yyerror(const char *) { error_call(ERR_SYNTAX); }
