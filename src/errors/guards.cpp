// The stack guard and the floating-point signal handler. Owns the recorded
// stack position and the pending-signal flag.
//
// A handler never unwinds: it stores the error code in pending_signal_error,
// and the next evaluation step raises it through check_stack. Arithmetic is
// done in floating point with traps masked, so SIGFPE arrives only when
// another process sends it; a fault raised by an instruction cannot be
// resumed, and then the report is written directly and the run ends.
#include "errors/guards.h"

#include <unistd.h>

#include <algorithm>

#include "errors/xerror.h"

char *stack_base;
std::size_t stack_budget = 1 << 20;
volatile std::sig_atomic_t pending_signal_error;

namespace {
// A call trace of 1024 entries needs well under a megabyte of stack; the
// budget leaves ample room above that for deeply nested data. A sanitizer
// build has frames several times larger and gets more, though less than
// 64 MB, past which the sanitizer cannot follow an unwind.
//
// In the playground the guard measures only the bytes that guarded frames
// keep in linear memory (see check_stack), while the frames themselves live
// on the engine's stack, of which a worker gets a few hundred kilobytes.
// Measured in Chromium: eager recursion fills the call trace within 17.4 KB,
// the lazy sieve of examples/primes.jor needs 24 KB, and lazy recursion
// exhausts the engine's stack from 29 KB on. So runaway recursion ends with
// a report, never with a dead worker, though deep lazy recursion there ends
// with error 4 where the console's ends with the full call trace.
#if defined(JOR_SANITIZED)
constexpr std::size_t stack_budget_bytes = std::size_t(56) << 20;
#elif defined(__EMSCRIPTEN__)
constexpr std::size_t stack_budget_bytes = std::size_t(25) << 10;
#else
constexpr std::size_t stack_budget_bytes = std::size_t(32) << 20;
#endif

// Frames the guard does not see (the parser's, the C library's, a report's)
// need room of their own beyond the budget, however small the stack is.
constexpr std::size_t unguarded_reserve = std::size_t(64) << 10;

constexpr char float_fault_report[] = "-> Деление на ноль или переполнение\n";

void floatError(int, siginfo_t *info, void *) {
    if (info && info->si_code > 0) {
        ssize_t ignored = write(1, float_fault_report, sizeof float_fault_report - 1);
        (void)ignored;
        _exit(ERR_FLOAT);
    }
    pending_signal_error = ERR_FLOAT;
}
}  // namespace

void error_init(std::size_t stack_size) {
    struct sigaction action {};
    action.sa_sigaction = floatError;
    action.sa_flags = SA_SIGINFO | SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGFPE, &action, nullptr);
    stack_base = static_cast<char *>(__builtin_frame_address(0));
    std::size_t beyond_reserve = stack_size > unguarded_reserve ? stack_size - unguarded_reserve : 0;
    stack_budget = std::min({stack_size / 2, beyond_reserve, stack_budget_bytes});
}

void stack_fault() {
    int code = pending_signal_error;
    if (code) {
        pending_signal_error = 0;
        error_call(code);
    }
    error_call(ERR_STACK);
}
