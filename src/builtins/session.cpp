// LOAD and QUIT, the built-ins that act on the session rather than on values:
// LOAD hands the driver the name of a file to read at top level (error 18),
// QUIT ends the session. Owns no state.
#include "builtins/builtins.h"

#include "cells/cell.h"
#include "console/output.h"
#include "errors/xerror.h"
#include "eval/eval.h"

int proc_load(const char *s, int args, int N, int V) {
    check_narg(narg(args, s) == 1, s);
    int file = eval(get_car(args), N, V);
    raise_error(ERR_LOAD, get_symbol(file, s));
}

int proc_quit(const char *s, int args, int, int) {
    check_narg(narg(args, s) == 0, s);
    // Arguments evaluated for an error report never end the run.
    if (report_recomputing) error_call(ERR_LOAD);
    out_kind(output_kind::text);
    out_str("Bye\n");
    end_run(0);
}
