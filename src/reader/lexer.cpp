// The lexer: blanks and comments, numbers, booleans, identifiers and the
// keywords in both spellings, operators, and quoted or backquoted
// S-expressions handed to the S-expression reader. Every token's display
// name goes onto the parse-stack display.
#include "reader/lexer.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "cells/cell.h"
#include "eval/symbols.h"
#include "grammar.hpp"
#include "reader/input.h"
#include "reader/parse_display.h"
#include "reader/sexpr.h"
#include "text/chars.h"
#include "text/cp1251.h"

int begin_flag;
bool comment_left_open;

namespace {
int token_line;      // the source line of the token being read
int statement_line;  // the source line of the current statement's first token
// Set from the first character of a token or of a block comment until the
// lexer has read it whole: a line end inside it does not end it.
bool inside_token;
}  // namespace

namespace {
struct keyword {
    cp_text<16> spelling;
    int token;
};

// Rows 0-28 are matched against whole identifiers, rows 29-33 against the
// two-character operators.
constexpr keyword keywords[] = {
    {"OR", OR},           {"ИЛИ", OR},          {"AND", AND},         {"И", AND},
    {"NOT", NOT},         {"НЕ", NOT},          {"Л", LAMBDA},        {"DELAY", DELAY},
    {"ЗАДЕРЖАТЬ", DELAY}, {"FORCE", FORCE},     {"ВОЗОБНОВИТЬ", FORCE}, {"LET", LET},
    {"ПУСТЬ", LET},       {"LETREC", LETREC},   {"ПУСТЬРЕК", LETREC}, {"WHERE", WHERE},
    {"ГДЕ", WHERE},       {"WHEREREC", WHEREREC}, {"ГДЕРЕК", WHEREREC}, {"IF", IF},
    {"ЕСЛИ", IF},         {"THEN", THEN},       {"ТО", THEN},         {"В", IN},
    {"IN", IN},           {"ELSE", ELSE},       {"ИНАЧЕ", ELSE},      {"DIV", '\\'},
    {"MOD", '%'},         {"<=", LE},           {">=", GE},           {"/=", NE},
    {"<>", NE},           {"/\\", LAMBDA},
};
constexpr int FIRST_OPERATOR_ROW = 29;
constexpr int KEYWORD_ROWS = sizeof keywords / sizeof keywords[0];
static_assert(KEYWORD_ROWS == 34);
static_assert(FIRST_OPERATOR_ROW == KEYWORD_WORDS);

constexpr int NAME_LIMIT = 31;
constexpr cp_text<40> name_too_long = "слишком длинный идентификатор";
constexpr cp_text<32> number_too_long = "слишком длинное число";
constexpr cp_text<16> sexpr_display = "<S-выражение>";

char simple_lex[256][2];

// Few keywords share an identifier's first letter, so that is compared first.
const keyword *find_keyword(const char *text, int first_row, int end_row) {
    for (int row = first_row; row < end_row; row++) {
        const char *spelling = keywords[row].spelling.text;
        if (spelling[0] == text[0] && strcmp(spelling, text) == 0) return &keywords[row];
    }
    return nullptr;
}

}  // namespace

const char *keyword_word(int i) { return keywords[i].spelling.text; }

namespace {
int end_of_input() {
    add_symbol("EOF");
    return -1;
}

// Skips blanks and comments; false when the input ends on the way.
bool skip_blanks_and_comments() {
    comment_left_open = false;
    for (;;) {
        skip_space();
        if (currchar == -1) return false;
        if (currchar == '/' && nextchar == '*') {
            inside_token = true;
            getnext();
            getnext();
            while (!(currchar == '*' && nextchar == '/')) {
                if (currchar == -1) {
                    comment_left_open = true;
                    return false;
                }
                getnext();
            }
            getnext();
            getnext();
            inside_token = false;
        } else if (currchar == '/' && nextchar == '/') {
            getnext();
            getnext();
            while (currchar != '\n') {
                if (currchar == -1) return false;
                getnext();
            }
            getnext();
        } else {
            return true;
        }
    }
}

int identifier() {
    int n = 0;
    while (is_alnum(currchar) || currchar == '_' || currchar == '.' || currchar == '?') {
        if (n == NAME_LIMIT) raise_error(ERR_LEXICAL, name_too_long);
        int c = currchar;
        str[n++] = char(c);
        getnext();
        if (c == '?') break;
    }
    str[n] = '\0';
    upper(str);
    if (const keyword *k = find_keyword(str, 0, FIRST_OPERATOR_ROW)) {
        yylval = NIL;
        add_symbol(k->spelling.text);
        return k->token;
    }
    yylval = make_symbol(str);
    skip_space();
    bool opens_definition = begin_flag && (currchar == '=' || currchar == '(') && !is_defined(yylval);
    add_symbol("<IDENT>");
    return opens_definition ? UIDENT : IDENT;
}

bool is_exponent_letter(int c) { return c == 'E' || c == 'e'; }

int number() {
    int n = 0;
    while (isdigit(currchar) || currchar == '.' || is_exponent_letter(currchar)) {
        if (n >= NAME_LIMIT) raise_error(ERR_LEXICAL, number_too_long);
        int c = currchar;
        str[n++] = char(c);
        getnext();
        if (is_exponent_letter(c) && (currchar == '+' || currchar == '-')) {
            str[n++] = char(currchar);
            getnext();
        }
    }
    str[n] = '\0';
    yylval = make_number(strtod(str, nullptr));
    add_symbol("<NUMBER>");
    return NUMBER;
}

int boolean() {
    yylval = make_boolean(toupper(nextchar) == 'T');
    getnext();
    getnext();
    add_symbol("<BOOLEAN>");
    return BOOLEAN;
}

int s_expression() {
    if (currchar == '`') getnext();  // a backquoted datum is code, read unquoted
    nparent = 0;
    yylval = read_list();
    add_symbol(sexpr_display.text);
    return SEXPR;
}

bool starts_operator(int c, int next) {
    return ((c == '>' || c == '<' || c == '/') && next == '=') || (c == '<' && next == '>') ||
           (c == '/' && next == '\\');
}

int two_character_operator() {
    char text[3] = {char(currchar), char(nextchar), '\0'};
    getnext();
    getnext();
    const keyword *k = find_keyword(text, FIRST_OPERATOR_ROW, KEYWORD_ROWS);
    yylval = NIL;
    add_symbol(k->spelling.text);
    return k->token;
}

int single_character() {
    int c = currchar;
    getnext();
    yylval = NIL;
    simple_lex[c][0] = char(c);
    add_symbol(simple_lex[c]);
    return c;
}
}  // namespace

int yylex1() {
    if (!skip_blanks_and_comments()) return end_of_input();
    inside_token = true;
    token_line = input_line();
    int c = currchar;
    if (is_alpha(c) || c == '_' || c == '.') return identifier();
    if (isdigit(c)) return number();
    if (c == '#' && (toupper(nextchar) == 'T' || toupper(nextchar) == 'F')) return boolean();
    if (c == '\'' || c == '`') return s_expression();
    if (starts_operator(c, nextchar)) return two_character_operator();
    return single_character();
}

int yylex() {
    bool starts_statement = begin_flag;
    int token = yylex1();
    inside_token = false;
    if (starts_statement && token != ';') statement_line = token_line;
    begin_flag = token == ';';
    return token;
}

int statement_first_line() { return statement_line; }

void lexer_restart() {
    begin_flag = 1;
    inside_token = false;
}

bool statement_unfinished() { return !begin_flag || inside_token; }

namespace {
struct lexer_notes {
    int begin_flag, token_line, statement_line;
    bool inside_token, comment_left_open;
};
lexer_notes set_aside_notes;
}  // namespace

void lexer_set_aside() {
    set_aside_notes = {begin_flag, token_line, statement_line, inside_token, comment_left_open};
    begin_flag = 1;
    token_line = statement_line = 0;
    inside_token = comment_left_open = false;
}

void lexer_bring_back() {
    begin_flag = set_aside_notes.begin_flag;
    token_line = set_aside_notes.token_line;
    statement_line = set_aside_notes.statement_line;
    inside_token = set_aside_notes.inside_token;
    comment_left_open = set_aside_notes.comment_left_open;
}
