// The error report. Every line begins with "-> ". While a trace line is
// printed, lazy evaluation is switched off so printing forces no promise.
//
// For error 13 the arguments of the failed built-in call are shown evaluated
// as far as its arity says. That evaluation runs under a recovery point of
// its own: if it fails, the arguments are shown as written. Likewise an error
// while a trace line is printed ends the report with a line end.
#include "driver/report.h"

#include "cells/cell.h"
#include "console/output.h"
#include "errors/xerror.h"
#include "eval/eval.h"
#include "printer/printer.h"
#include "reader/parse_display.h"
#include "text/cp1251.h"

namespace {
constexpr cp_text<24> in_expression = "-> в выражении ";
constexpr cp_text<24> in_call = "-> при вызове ";
constexpr cp_text<24> with_arguments = " с аргументами ";

bool shows_call_trace(int code) {
    return code == ERR_FLOAT || code == ERR_ARG_COUNT || code == ERR_BAD_ARG || code == ERR_NOT_PROC ||
           code == ERR_UNKNOWN;
}

void print_parse_stack() {
    out_str("-> ");
    for (int i = 0; i < nstack_symbols; i++) {
        if (i > 0) out_char(' ');
        out_str(stack_symbols[i]);
    }
    out_char('\n');
}

void recompute_arguments(call_entry &entry) {
    int depth = nstack_calls;
    report_recomputing = true;
    run_protected([&] { entry.args = evalarg_list(entry.args, entry.names, entry.values, entry.op, entry.form); });
    report_recomputing = false;
    nstack_calls = depth;
}

void print_call_line(int op, int args) {
    out_str(in_call);
    print_list(op);
    out_str(with_arguments);
    print_list(args);
    out_char('\n');
}

void print_call_trace(int code) {
    int saved_lazy_mode = lazy_mode;
    int failed = run_protected([&] {
        call_entry &innermost = stack_calls[nstack_calls - 1];
        lazy_mode = 0;
        if (code == ERR_BAD_ARG) recompute_arguments(innermost);
        out_str(in_expression);
        print_list(innermost.form);
        out_char('\n');
        print_call_line(code == ERR_NOT_PROC ? innermost.op : get_car(innermost.form), innermost.args);
        lazy_mode = saved_lazy_mode;
        for (int i = nstack_calls - 2; i >= 0; i--) {
            if (!stack_calls[i].entered) continue;
            lazy_mode = 0;
            print_call_line(get_car(stack_calls[i].form), stack_calls[i].args);
            lazy_mode = saved_lazy_mode;
        }
    });
    lazy_mode = saved_lazy_mode;
    if (failed) out_char('\n');
}
}  // namespace

void print_error_report() {
    int code = error_code;
    out_kind(output_kind::report);
    out_str("-> ");
    out_format(error_message(code), error_parm);
    out_char('\n');
    if (code == ERR_SYNTAX) print_parse_stack();
    if (shows_call_trace(code) && nstack_calls >= 1) print_call_trace(code);
    out_flush();
}
