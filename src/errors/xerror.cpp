// error_call and error_parm. The call trace lives here too because the
// report reads it; the evaluator fills it.
#include "errors/xerror.h"

#include <cstring>


int error_code;
char error_parm[ERROR_PARM_SIZE];
call_entry stack_calls[CALL_TRACE_SIZE];
int nstack_calls;
bool report_recomputing;

namespace xerror_detail {
int armed;
}

void set_error_parm(const char *text) {
    std::size_t n = strnlen(text, ERROR_PARM_SIZE - 1);
    memmove(error_parm, text, n);
    error_parm[n] = '\0';
}

void error_call(int code) {
    error_code = code;
    if (xerror_detail::armed == 0) end_run(code);
    throw xerror_detail::unwind {code};
}

void raise_error(int code, const char *parm) {
    set_error_parm(parm);
    error_call(code);
}

bool recovery_armed() { return xerror_detail::armed > 0; }

void end_run(int status) {
    throw xerror_detail::run_end {status};
}
