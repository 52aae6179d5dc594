// The S-expression reader: atoms, lists, dotted tails and quotes, turned into
// cells. Nesting recurses through read_list, which passes the stack guard.
#include "reader/sexpr.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "cells/cell.h"
#include "errors/guards.h"
#include "eval/symbols.h"
#include "reader/input.h"
#include "text/chars.h"
#include "text/cp1251.h"

char str[STR_SIZE];
int nparent;

namespace {
constexpr int ATOM_LIMIT = 99;
constexpr cp_text<48> no_closing = "неверное S-выражение - нет )";
constexpr cp_text<48> empty_datum = "пустое S-выражение";
constexpr cp_text<64> atom_too_long = "слишком длинный идентификатор в S-выражении";

[[noreturn]] void lexical_error(const char *text) { raise_error(ERR_LEXICAL, text); }

bool at_end_of_datum() { return currchar == ';' || currchar == -1; }
bool is_blank(int c) { return c == -1 || (unsigned)c <= 32; }
bool is_delimiter(int c) { return is_blank(c) || c == ';' || c == '(' || c == ')' || c == ','; }

int read_integer(const char *digits) {
    errno = 0;
    long long value = strtoll(digits, nullptr, 10);
    if (errno == ERANGE || value > INT_MAX) return make_number(strtod(digits, nullptr));
    return make_integer(int32_t(value));
}

int read_atom() {
    int n = 0;
    str[n++] = char(currchar);
    getnext();
    if (str[0] != ',') {
        while (!is_delimiter(currchar)) {
            if (n == ATOM_LIMIT) lexical_error(atom_too_long);
            str[n++] = char(currchar);
            getnext();
        }
    }
    str[n] = '\0';
    upper(str);
    if (integer_number(str)) return read_integer(str);
    if (real_number(str)) return make_real(atof(str));
    if (str[0] == '#' && (str[1] == 'T' || str[1] == 'F') && str[2] == '\0') return make_boolean(str[1] == 'T');
    return make_symbol(str);
}

int read_rest_of_list() {
    nparent++;
    getnext();
    skip_space();
    if (currchar == ')') {
        getnext();
        return NIL;
    }
    int first = read_list();
    int result = make_pair(first, NIL);
    int last = result;
    for (;;) {
        skip_space();
        if (currchar == ')') {
            getnext();
            nparent--;
            return result;
        }
        if (at_end_of_datum()) lexical_error(no_closing);
        if (currchar == '.' && is_blank(nextchar)) {
            getnext();
            set_cdr(last, read_list());
            skip_space();
            if (currchar != ')') lexical_error(no_closing);
            getnext();
            nparent--;
            return result;
        }
        int element = make_pair(read_list(), NIL);
        set_cdr(last, element);
        last = element;
    }
}

int read_quoted() {
    getnext();
    int datum = read_list();
    int quote = make_symbol("QUOTE");
    return make_pair(quote, make_pair(datum, NIL));
}
}  // namespace

int read_list() {
    check_stack();
    skip_space();
    switch (currchar) {
    case '(':
        return read_rest_of_list();
    case ';':
    case -1:
        lexical_error(nparent > 0 ? no_closing : empty_datum);
    case '\'':
        return read_quoted();
    case ')':
        lexical_error(empty_datum);
    default:
        return read_atom();
    }
}

int integer_number(const char *s) {
    if (!*s) return 0;
    for (; *s; s++)
        if (!isdigit((unsigned char)*s)) return 0;
    return 1;
}

int real_number(const char *s) {
    if (*s == '-') s++;
    if (!isdigit((unsigned char)*s)) return 0;
    bool dot = false, exponent = false;
    for (s++; *s; s++) {
        char c = *s;
        if (isdigit((unsigned char)c)) continue;
        if (c == '.' && !dot && !exponent) {
            dot = true;
        } else if ((c == 'E' || c == 'e') && !exponent) {
            exponent = true;
            if (s[1] == '+' || s[1] == '-') s++;
        } else {
            return 0;
        }
    }
    return 1;
}
