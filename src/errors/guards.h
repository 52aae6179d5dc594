// Run-time guards: the stack-depth guard passed by every evaluation step and
// every other recursion that input can drive, and signals noted by handlers
// and turned into errors at the next such step.
#pragma once
#include <csignal>
#include <cstddef>

extern char *stack_base;
extern std::size_t stack_budget;
// An error code set by a signal handler (3 or 7), 0 when none is pending.
extern volatile std::sig_atomic_t pending_signal_error;

// Records the stack position and installs the floating-point signal handler.
// `stack_size` is the size of the stack the interpreter runs on.
void error_init(std::size_t stack_size);

[[noreturn, gnu::cold]] void stack_fault();

#ifdef __EMSCRIPTEN__
// In the playground no signal reaches the busy interpreter: every few
// thousand steps the guard asks the page whether Stop was pressed, which
// leaves error 7 pending as Ctrl-C does at a terminal.
extern int steps_until_interrupt_poll;
void poll_interrupt();
#endif

// Error 4 when the stack below the recorded position exceeds the budget;
// also raises an error a signal handler has left pending.
inline void check_stack() {
#ifdef __EMSCRIPTEN__
    if (--steps_until_interrupt_poll < 0) poll_interrupt();
    // Most wasm frames live only on the engine's stack, which cannot be
    // measured; a byte kept in memory gives every guarded frame room on the
    // stack that can, so the measured depth grows with the real one.
    volatile char mark = 0;
    char *here = const_cast<char *>(&mark);
#else
    char *here = static_cast<char *>(__builtin_frame_address(0));
#endif
    if (std::size_t(stack_base - here) > stack_budget || pending_signal_error) [[unlikely]]
        stack_fault();
}
