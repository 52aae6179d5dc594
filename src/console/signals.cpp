// Ctrl-C and window resizes of an interactive session. Owns the flags the
// handlers set and the note of whether the keyboard is being waited for.
//
// A handler never unwinds: a Ctrl-C during evaluation leaves its code in the
// flag the interpreter polls at every evaluation or printing step;
// one while a line is typed is only noted, and the line editor drops the
// line. Both handlers go without SA_RESTART, so a wait for a key ends at once.
#include "console/signals.h"

#include <pthread.h>

#include <csignal>


namespace {
volatile std::sig_atomic_t waiting_for_keyboard;
volatile std::sig_atomic_t keyboard_interrupted;
volatile std::sig_atomic_t window_resized;
volatile std::sig_atomic_t *interrupt_flag;
int interrupt_code;

void on_interrupt(int) {
    if (waiting_for_keyboard)
        keyboard_interrupted = 1;
    else if (!*interrupt_flag)
        *interrupt_flag = interrupt_code;
}

void on_resize(int) { window_resized = 1; }

void set_action(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
}

void mask_console_signals(int how) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGWINCH);
    pthread_sigmask(how, &set, nullptr);
}
}  // namespace

void console_signals_block() { mask_console_signals(SIG_BLOCK); }

void console_signals_start(bool interactive, volatile std::sig_atomic_t *flag, int code) {
    interrupt_flag = flag;
    interrupt_code = code;
    mask_console_signals(SIG_UNBLOCK);
    if (interactive) set_action(SIGINT, on_interrupt);
}

void keyboard_wait_begins() {
    keyboard_interrupted = 0;
    waiting_for_keyboard = 1;
}

void keyboard_wait_ends() {
    waiting_for_keyboard = 0;
    keyboard_interrupted = 0;
    // A Ctrl-C just before the wait began was meant for the statement that
    // had already ended.
    if (interrupt_flag && *interrupt_flag == interrupt_code) *interrupt_flag = 0;
}

bool take_keyboard_interrupt() {
    if (!keyboard_interrupted) return false;
    keyboard_interrupted = 0;
    return true;
}

void watch_resizes(bool on) {
    window_resized = 0;
    set_action(SIGWINCH, on ? on_resize : SIG_DFL);
}

bool take_resize() {
    if (!window_resized) return false;
    window_resized = 0;
    return true;
}
