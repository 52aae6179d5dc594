// The driver: the loop that reads one source after another, the execution
// of each statement, and the console program's command line.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "driver/session.h"
#include "errors/xerrmsg.h"

// Evaluates a complete statement in the global environment and prints its
// value (behind "-> " while a file is read); then collects garbage.
void execute(int expr);
// Reads `file` (when given) and then the keyboard to the end of input;
// LOAD seeks relative names in `folder_for_load` (the current folder when
// empty). Returns the exit status.
int drive(const std::optional<std::string> &file, const std::string &folder_for_load);
// The two banner lines; the second alone names the version.
void print_banner();
const char *version_line();
// Returns every global of the interpreter to its state at start-up, so that
// another run can follow in the same process.
void reset_interpreter();
// How the host's keyboard ends a pass that it abandons the statement of;
// no error, and never reported.
constexpr int STATEMENT_ABANDONED = ERROR_COUNT;
// Hands a finished statement to the session's host.
void session_statement_done(const statement_event &event);

// The console program: reads its command line, jor [-m N] [FILE [OUT]],
// and runs a session on standard input and standard output (or OUT).
int driver_main(int argc, char **argv);
// Status of a run whose output could not be written.
constexpr int EXIT_WRITE_FAILED = 74;
// Writes code page 1251 text to standard output as the console program
// writes everything; false (and a line on standard error) when it cannot.
bool console_write_text(const char *text);
// Writes text already in the console's encoding, checked alike.
bool console_write_bytes(std::string_view bytes);
