// The embedding interface: a session runs the driver loop with its host's
// keyboard and output. Owns the host of the running session, the note of
// whether it waits for a keyboard line and the note of how the last run ended.
#include "driver/session.h"

#include <csignal>

#include "cells/heap.h"
#include "console/encoding.h"
#include "console/output.h"
#include "driver/driver.h"
#include "errors/guards.h"
#include "errors/xerror.h"
#include "reader/input.h"
#include "reader/lexer.h"

namespace {
const session_host *host;
const session_options *options;
volatile std::sig_atomic_t waiting_for_line;
bool ran_to_end;

void write_to_host(output_kind kind, const char *bytes, std::size_t n) { host->write(kind, {bytes, n}); }

// Brackets the host's read_line, which may leave by an unwind (a statement
// abandoned, a session ended).
struct line_wait {
    line_wait() { waiting_for_line = 1; }
    ~line_wait() {
        waiting_for_line = 0;
        // An interrupt that came as the line was awaited was meant for the
        // statement that had already ended.
        if (pending_signal_error == ERR_INTERRUPT) pending_signal_error = 0;
    }
    line_wait(const line_wait &) = delete;
    line_wait &operator=(const line_wait &) = delete;
};

bool read_line_from_host(std::string &line) {
    if (!host->read_line) return false;
    out_flush();
    line_wait wait;
    return host->read_line(line);
}

void prompt_for_line() {
    if (host->prompt) {
        host->prompt();
    } else if (options->prompts) {
        out_kind(output_kind::prompt);
        out_str("> ");
        out_flush();
    }
}

int run_from_start() {
    if (!options->file && options->banner) print_banner();
    int status = drive(options->file, options->load_folder);
    // QUIT and session_end unwind past this point.
    ran_to_end = true;
    return status;
}
}  // namespace

int session_run(const session_options &session_options, const session_host &session_host) {
    host = &session_host;
    options = &session_options;
    set_console_cp1251(!session_options.utf8 && locale_is_cp1251());
    out_set_sink(write_to_host);
    read_keyboard_line = read_line_from_host;
    show_keyboard_prompt = prompt_for_line;
    if (!heap_ready()) heap_request = session_options.heap_cells;
    ran_to_end = false;
    int status = run_session(run_from_start);
    // What is still buffered (QUIT's farewell, say) is handed over last; a
    // host that cannot take it ends the session once more, with its status.
    status = run_session([&] {
        out_flush();
        return status;
    });
    out_set_sink(nullptr);
    read_keyboard_line = nullptr;
    show_keyboard_prompt = nullptr;
    host = nullptr;
    options = nullptr;
    return status;
}

void session_statement_done(const statement_event &event) {
    if (host && host->statement_done) host->statement_done(event);
}

bool session_ran_to_end() { return ran_to_end; }

void session_reset() { reset_interpreter(); }

void session_interrupt() {
    if (!waiting_for_line && !pending_signal_error) pending_signal_error = ERR_INTERRUPT;
}

bool session_statement_unfinished() { return statement_unfinished(); }

void session_abandon_statement() { error_call(STATEMENT_ABANDONED); }

void session_end(int status) { end_run(status); }
