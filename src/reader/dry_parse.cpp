// Parsing text without running it. Everything the parse changes is set aside
// or marked first and restored after: the input source, the lexer's notes,
// the heap, the names, and the globals the grammar and the lexer share.
#include "reader/dry_parse.h"

#include <cstring>

#include "cells/cell.h"
#include "cells/heap.h"
#include "errors/xerror.h"
#include "eval/symbols.h"
#include "grammar.hpp"
#include "reader/input.h"
#include "reader/lexer.h"
#include "reader/parse_display.h"
#include "reader/parser.h"
#include "reader/sexpr.h"

extern int yychar;
extern int yynerrs;

namespace {
const std::string *text;
std::size_t text_pos;

bool next_line_of_text(std::string &line) {
    if (text_pos >= text->size()) return false;
    std::size_t end = text->find('\n', text_pos);
    end = end == std::string::npos ? text->size() : end + 1;
    line.assign(*text, text_pos, end - text_pos);
    text_pos = end;
    return true;
}

// A definition binds its name (to the empty list), so that the lexer reads
// the rest of the text as it would after running it: a defined name
// followed by "(" starts a call, not another definition.
void note_definition(int statement) {
    if (!is_pair(statement) || !is_symbol(get_car(statement))) return;
    if (strcmp(symbol_name(get_car(statement)), "DEFINE") != 0 || !is_pair(get_cdr(statement))) return;
    int header = get_car(get_cdr(statement));
    int name = is_pair(header) ? get_car(header) : header;
    if (is_symbol(name)) add_value(name, NIL);
}

// What the grammar and the lexer keep in globals of their own.
struct shared_globals {
    statement_handler handler;
    int yychar, yylval, yynerrs;
    int nstack_symbols;
    const char *stack_symbols[STACK_SYMBOLS_SIZE];
    char str[STR_SIZE];
    int nparent;
    int error_code;
    char error_parm[ERROR_PARM_SIZE];
};
shared_globals saved;

void save_globals() {
    saved.handler = execute_statement;
    saved.yychar = yychar;
    saved.yylval = yylval;
    saved.yynerrs = yynerrs;
    saved.nstack_symbols = nstack_symbols;
    memcpy(saved.stack_symbols, stack_symbols, sizeof stack_symbols);
    memcpy(saved.str, str, sizeof str);
    saved.nparent = nparent;
    saved.error_code = error_code;
    memcpy(saved.error_parm, error_parm, sizeof error_parm);
}

void restore_globals() {
    execute_statement = saved.handler;
    yychar = saved.yychar;
    yylval = saved.yylval;
    yynerrs = saved.yynerrs;
    nstack_symbols = saved.nstack_symbols;
    memcpy(stack_symbols, saved.stack_symbols, sizeof stack_symbols);
    memcpy(str, saved.str, sizeof str);
    nparent = saved.nparent;
    error_code = saved.error_code;
    memcpy(error_parm, saved.error_parm, sizeof error_parm);
}

// An error met only at the end of the text asks for more text: the grammar
// was handed the end of input, or an S-expression was still open there.
parse_verdict verdict_of(int code) {
    if (code == 0) return comment_left_open ? parse_verdict::incomplete : parse_verdict::complete;
    if ((code == ERR_SYNTAX && yychar == YYEOF) || (code == ERR_LEXICAL && currchar == -1))
        return parse_verdict::incomplete;
    if (code == ERR_SYNTAX || code == ERR_LEXICAL) return parse_verdict::invalid;
    return parse_verdict::unknown;
}
}  // namespace

parse_verdict dry_parse(const std::string &keyboard_text) {
    if (!heap_ready()) return parse_verdict::unknown;
    save_globals();
    heap_mark mark = heap_mark_now();
    symbols_mark();
    input_set_aside();
    lexer_set_aside();
    text = &keyboard_text;
    text_pos = 0;
    read_keyboard_line = next_line_of_text;
    execute_statement = note_definition;
    nstack_symbols = 0;
    int code = run_protected([] {
        init_in(nullptr);
        yyparse();
    });
    parse_verdict verdict = verdict_of(code);
    text = nullptr;
    lexer_bring_back();
    input_bring_back();
    symbols_roll_back();
    heap_roll_back(mark);
    restore_globals();
    return verdict;
}
