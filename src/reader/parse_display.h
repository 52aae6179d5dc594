// The parse-stack display shown with syntax errors: one readable name per
// grammar symbol on the parser's stack, the pending token last.
#pragma once

constexpr int STACK_SYMBOLS_SIZE = 1024;
extern const char *stack_symbols[STACK_SYMBOLS_SIZE];
extern int nstack_symbols;

// Appends a token's name; error 9 "стек синтаксиса" when the display is full.
void add_symbol(const char *name);
// One reduction: the top n entries (below the look-ahead token's entry when
// one is held) become the single entry `name`.
void set_symbol(const char *name, int n, bool lookahead);
// The parser's error hook: raises error 11. The parser's own text is not shown.
void yyerror(const char *text);
