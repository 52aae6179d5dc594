// print_list. Loops along cdr chains and through chains of promises; recurses
// only into cars, parameter lists and bodies, passing the stack guard.
// With lazy evaluation on, printing a promise forces it.
#include "printer/printer.h"

#include "cells/cell.h"
#include "console/output.h"
#include "errors/guards.h"
#include "eval/eval.h"

namespace {
void print_pair(int v) {
    out_char('(');
    for (int p = v;;) {
        print_list(check_force(get_car(p)));
        int t = check_force(get_cdr(p));
        if (t < 0) break;
        if (is_pair(t)) {
            out_char(' ');
            p = t;
            continue;
        }
        out_str(" . ");
        print_list(t);
        break;
    }
    out_char(')');
}

void print_procedure(int v) {
    int code = first_word(v);
    out_str("[(LAMBDA ");
    print_list(get_car(code));
    out_char(' ');
    print_list(get_cdr(code));
    out_str(")]");
}
}  // namespace

void print_list(int v) {
    check_stack();
    for (;;) {
        if (v < 0) {
            out_str("()");
            return;
        }
        switch (cell_type(v)) {
        case CELL_SYMBOL:
            out_str(symbol_name(v));
            return;
        case CELL_BOOLEAN:
            out_str(first_word(v) ? "#T" : "#F");
            return;
        case CELL_INTEGER:
            out_format("%d", first_word(v));
            return;
        case CELL_REAL:
            out_format("%g", mem[v].u.real);
            return;
        case CELL_LIBPROC:
            out_char('@');
            v = first_word(v);
            continue;
        case CELL_PROCEDURE:
            if (!is_lazy(v)) {
                print_procedure(v);
                return;
            }
            if (lazy_mode || get_car(first_word(v)) == FORCED_MARK) {
                // A forced promise may hold another promise, even itself:
                // recursing keeps such a chain under the stack guard.
                print_list(check_force(v));
                return;
            }
            out_char('[');
            print_list(get_cdr(first_word(v)));
            out_char(']');
            return;
        case CELL_PAIR:
            print_pair(v);
            return;
        default:
            return;
        }
    }
}
