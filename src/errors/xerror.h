// Raising errors and the recovery points they unwind to; the call trace that
// the evaluator keeps for error reports.
//
// An error unwinds by a C++ exception of a type private to this module, so
// every destructor on the way runs. Only run_protected catches it: code that
// needs a recovery point calls run_protected, and nothing else can intercept
// an error by accident.
#pragma once
#include <new>

#include "errors/xerrmsg.h"

constexpr int ERROR_PARM_SIZE = 128;
extern int error_code;
extern char error_parm[ERROR_PARM_SIZE];

// Copies `text` into error_parm, cut to 127 bytes.
void set_error_parm(const char *text);
// Unwinds to the innermost recovery point with `code`; with none armed, ends
// the program with `code` as exit status.
[[noreturn]] void error_call(int code);
// set_error_parm(parm), then error_call(code).
[[noreturn]] void raise_error(int code, const char *parm);

// The fields pair up into whole words: op and args start as the form's
// payload, form and entered as the form and 0.
struct call_entry {
    int op;        // operator expression, then the operator's value or a built-in's mark (eval.h)
    int args;      // argument expressions, then possibly their values
    int form;      // the pair being evaluated
    int entered;   // 1 once the arguments have been bound
    int names;     // environment of the evaluation
    int values;
};
constexpr int CALL_TRACE_SIZE = 1024;
extern call_entry stack_calls[CALL_TRACE_SIZE];
extern int nstack_calls;

namespace xerror_detail {
struct unwind {
    int code;
};
struct run_end {
    int status;
};
extern int armed;
struct arming {
    arming() { ++armed; }
    ~arming() { --armed; }
    arming(const arming &) = delete;
    arming &operator=(const arming &) = delete;
};
}  // namespace xerror_detail

// Runs `body` under a recovery point of its own. Returns 0 when body
// finishes, otherwise the code of the error that ended it (error_code and
// error_parm describe it). Running out of native memory counts as error 2.
template <class Body>
int run_protected(Body &&body) {
    try {
        xerror_detail::arming armed;
        body();
    } catch (const xerror_detail::unwind &u) {
        return u.code;
    } catch (const std::bad_alloc &) {
        error_code = ERR_NO_MEMORY;
        return ERR_NO_MEMORY;
    }
    return 0;
}

// Set while an error report evaluates the arguments of a failed call: QUIT
// then abandons that evaluation instead of ending the run.
extern bool report_recomputing;

// True while some recovery point is armed.
bool recovery_armed();

// Ends the run with `status`, past every recovery point, to run_session.
[[noreturn]] void end_run(int status);

// Runs a whole session; returns the status it ended with: body's own
// result, or the status given to end_run. Memory refused outside every
// recovery point ends it with status 2.
template <class Body>
int run_session(Body &&body) {
    try {
        return body();
    } catch (const xerror_detail::run_end &end) {
        return end.status;
    } catch (const std::bad_alloc &) {
        return ERR_NO_MEMORY;
    }
}
