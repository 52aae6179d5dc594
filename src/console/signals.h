// Ctrl-C and window resizes of an interactive session. Owns the flags the
// handlers set and the note of whether the keyboard is being waited for.
#pragma once
#include <csignal>

// Called on the thread that only waits for the interpreter: keeps Ctrl-C
// and resizes away from it, so they interrupt the interpreter's own reads.
void console_signals_block();
// Called on the interpreter's thread. At a terminal, a Ctrl-C while no line
// is awaited stores `code` in `*flag` (unless a code is already there), for
// the interpreter to stop the statement with; elsewhere every signal keeps
// its default action.
void console_signals_start(bool interactive, volatile std::sig_atomic_t *flag, int code);

// Brackets every wait for a keyboard line. A Ctrl-C inside the bracket
// belongs to the line being typed, never to the next statement.
void keyboard_wait_begins();
void keyboard_wait_ends();
// True once for each Ctrl-C pressed while a line was being typed.
bool take_keyboard_interrupt();

// Window resizes are noticed only while a line is edited.
void watch_resizes(bool on);
// True once after the window has changed size.
bool take_resize();
