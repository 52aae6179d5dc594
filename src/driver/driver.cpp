// The driver loop. Owns the open source file and the name it was opened
// under. Each pass arms a recovery point, resets the work in progress, and
// reads one source to its end; an error ends the pass, is reported, and the
// rest of that source is disposed of: echoed unread from a file, dropped
// from the keyboard. LOAD reaches the loop as error 18.
#include "driver/driver.h"

#include <cstdio>
#include <optional>
#include <string>

#include "cells/cell.h"
#include "cells/heap.h"
#include "console/encoding.h"
#include "console/output.h"
#include "driver/files.h"
#include "driver/report.h"
#include "errors/guards.h"
#include "errors/xerror.h"
#include "eval/eval.h"
#include "eval/symbols.h"
#include "printer/printer.h"
#include "reader/input.h"
#include "reader/lexer.h"
#include "reader/parse_display.h"
#include "reader/parser.h"
#include "text/cp1251.h"

namespace {
constexpr cp_text<80> banner_title = "JOR - функциональный язык, посвящённый всем, кто учит и учится.\n";
constexpr cp_text<96> banner_version = "Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.\n";

// A source to read: a file (its name as shown in messages, and as the file
// system knows it) or, without a name, the keyboard.
struct source {
    std::optional<std::string> name;
    std::string path;
    bool named_by_load = false;
};

FILE *input;
std::optional<std::string> curr_name;
std::string load_folder;
// The name of the source whose statements are being read ("" for the
// keyboard): a file that cannot be opened never becomes it.
std::string statement_source;

source keyboard() { return {}; }

// LOAD names a file relative to the session's folder for LOADs, if it has one.
source loaded_file(const char *name) {
    std::string path = external_name(name);
    if (!load_folder.empty() && !path.empty() && path[0] != '/') path = load_folder + "/" + path;
    return {std::string(name), path, true};
}

void tell_statement_done(int error_code) {
    statement_event event {statement_source, statement_first_line(), input_line(), error_code};
    if (event.last_line < event.first_line) event.last_line = event.first_line;
    session_statement_done(event);
}

// With JOR_CELL_LOG naming a file, every collection appends to it the number
// of cells taken since the one before: one line per statement, a failed
// statement's counted when the next pass starts. How many cells a statement
// takes decides where the heap runs out, so tests hold these counts fixed.
FILE *open_cell_log() {
    const char *path = getenv("JOR_CELL_LOG");
    return path && *path ? fopen(path, "a") : nullptr;
}

void collect() {
    static FILE *cell_log = open_cell_log();
    if (cell_log) fprintf(cell_log, "%d\n", cells_taken_since_collection());
    garbage();
}

void load(const source &next) {
    if (input) {
        fclose(input);
        input = nullptr;
    }
    curr_name = next.name;
    if (next.name) {
        input = open_source(next.path, next.named_by_load);
        if (!input) raise_error(ERR_OPEN, next.name->c_str());
    }
    statement_source = next.name.value_or("");
    init_in(input, next.name ? next.name->c_str() : nullptr);
    yyparse();
}

void start_pass(const source &next) {
    nstack_symbols = 0;
    nstack_calls = 0;
    mem_init();
    collect();
    load(next);
}

void dispose_of_rest_of_input() {
    if (input)
        echo_rest_of_file();
    else
        clear_in();
}

// An error while the report is printed cuts the report short.
//
// Neither this nor recover is inlined into run: their frames must not sit
// under every statement's evaluation, where the stack guard counts them.
[[gnu::noinline]] void report(int code) {
    error_code = code;
    if (run_protected(print_error_report)) run_protected([] { out_char('\n'); });
}

// Reports the error that ended a pass and disposes of the rest of its
// source. The disposal can fail in turn (a line too long to hold, a read
// error): that failure is reported too, and disposal goes on after the line
// where it stopped. Should a failure take no line with it, the rest of the
// source is left unread, so this always ends.
[[gnu::noinline]] void recover(int code) {
    report(code);
    run_protected([&] { tell_statement_done(code); });
    for (;;) {
        int lines = lines_read();
        code = run_protected(dispose_of_rest_of_input);
        if (code == 0) return;
        report(code);
        if (lines_read() == lines) return;
    }
}

int run(source pending) {
    for (;;) {
        int code = run_protected([&] { start_pass(pending); });
        if (code == 0) {
            if (!pending.name) return 0;
            pending = keyboard();
            continue;
        }
        if (code == ERR_LOAD) {
            pending = loaded_file(error_parm);
            continue;
        }
        if (code == STATEMENT_ABANDONED) {
            clear_in();
            pending = keyboard();
            continue;
        }
        // A heap that could not be set up cannot be set up on a later pass.
        if (!heap_ready()) {
            report(code);
            return code;
        }
        recover(code);
        pending = keyboard();
    }
}
}  // namespace

void execute(int expr) {
    int value = eval(expr, nptr, vptr);
    out_kind(output_kind::result);
    if (curr_name) out_str("-> ");
    print_list(value);
    out_char('\n');
    out_flush();
    tell_statement_done(0);
    collect();
}

int drive(const std::optional<std::string> &file, const std::string &folder_for_load) {
    execute_statement = execute;
    load_folder = folder_for_load;
    source pending = keyboard();
    if (file) pending = {internal_name(file->c_str()), *file, false};
    return run(pending);
}

void print_banner() {
    out_kind(output_kind::banner);
    out_str(banner_title);
    out_str(banner_version);
}

const char *version_line() { return banner_version; }

void reset_interpreter() {
    if (input) fclose(input);
    input = nullptr;
    curr_name.reset();
    statement_source.clear();
    input_reset();
    symbols_reset();
    heap_reset();
    out_reset();
    console_encoding_reset();
    lazy_mode = curry_mode = 0;
    nstack_calls = 0;
    nstack_symbols = 0;
    pending_signal_error = 0;
}
