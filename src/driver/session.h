// The interpreter as a front end drives it: the console program, the
// playground's worker, the notebook kernel and the transcript checker all
// start a session, feed it keyboard lines and receive what it writes.
//
// Everything here runs on the thread the session runs on, except
// session_interrupt. A session keeps every definition from statement to
// statement; session_reset forgets them all.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "console/output.h"

// One statement read to its end: its value was printed, or it ended in an
// error report (error_code then says which error).
struct statement_event {
    std::string_view source;  // the file's name as messages show it; empty for the keyboard
    int first_line;           // lines of that source, counted from 1
    int last_line;
    int error_code;           // 0 when the value was printed
};

// What the front end provides. Only `write` is required.
struct session_host {
    // Output, in pieces of one kind, in the console's encoding.
    std::function<void(output_kind kind, std::string_view bytes)> write;
    // The next keyboard line with its line end; false at the end of input.
    // Without it the keyboard is empty.
    std::function<bool(std::string &line)> read_line;
    // Shows the prompt before a keyboard line is read. Without it "> " is
    // written (as output of kind prompt), unless the options say otherwise.
    // session_statement_unfinished tells whether the line continues a
    // statement.
    std::function<void()> prompt;
    // Told after each statement's value or error report.
    std::function<void(const statement_event &event)> statement_done;
};

struct session_options {
    long long heap_cells = 500000;     // capacity of the heap, as -m N gives N * 1000
    std::optional<std::string> file;   // FILE: read first, echoed, results behind "-> "
    bool banner = true;                // the two banner lines when there is no FILE
    bool prompts = true;               // "> " before each keyboard line
    bool utf8 = false;                 // speak UTF-8 whatever the locale says
    std::string load_folder;           // where LOAD seeks relative names; empty: here
};

// Runs a session from its start to the end of input or QUIT and returns its
// exit status. The heap and every definition stay for the next run unless
// session_reset is called in between.
int session_run(const session_options &options, const session_host &host);
// True when the last run ended because its driver loop came to an end by
// itself: the keyboard ran out (or the heap could not be set up); false when
// QUIT or session_end ended it.
bool session_ran_to_end();
// Forgets every definition, name and switch: the next run starts afresh.
void session_reset();
// Stops the statement being evaluated with error 7 ("Прерывание по Ctrl-C").
// Safe from any thread and from a signal handler; does nothing while the
// session waits for a keyboard line.
void session_interrupt();
// From inside the host's prompt or read_line: true when part of a statement
// has been read, so the line to come continues it.
bool session_statement_unfinished();
// From inside the host's read_line: forgets the unfinished statement as if
// it had never been typed. Nothing is reported; reading starts afresh with
// a new prompt. Does not return.
[[noreturn]] void session_abandon_statement();
// Ends the running session at once with `status`, from inside a callback of
// its host (a write that cannot be done, say). Does not return.
[[noreturn]] void session_end(int status);
