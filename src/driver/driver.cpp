// The driver loop. Owns the open source file and the name it was opened
// under. Each pass arms a recovery point, resets the work in progress, and
// reads one source to its end; an error ends the pass, is reported, and the
// rest of that source is disposed of: echoed unread from a file, dropped
// from the keyboard. LOAD reaches the loop as error 18.
#include "driver/driver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "builtins/builtins.h"
#include "cells/cell.h"
#include "cells/heap.h"
#include "console/encoding.h"
#include "console/keyboard.h"
#include "console/output.h"
#include "driver/completion.h"
#include "driver/files.h"
#include "driver/report.h"
#include "errors/guards.h"
#include "errors/xerror.h"
#include "eval/eval.h"
#include "eval/symbols.h"
#include "printer/printer.h"
#include "reader/input.h"
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

source keyboard() { return {}; }

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
    init_in(input);
    yyparse();
}

void start_pass(const source &next) {
    nstack_symbols = 0;
    nstack_calls = 0;
    mem_init();
    garbage();
    load(next);
}

void dispose_of_rest_of_input() {
    if (input)
        echo_rest_of_file();
    else
        clear_in();
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
            pending = {std::string(error_parm), external_name(error_parm), true};
            continue;
        }
        print_error_report();
        // A heap that could not be set up cannot be set up on a later pass.
        if (!heap_ready()) return code;
        dispose_of_rest_of_input();
        pending = keyboard();
    }
}
}  // namespace

void execute(int expr) {
    int value = eval(expr, nptr, vptr);
    if (curr_name) out_str("-> ");
    print_list(value);
    out_char('\n');
    out_flush();
    garbage();
}

namespace {
int start(int argc, char **argv) {
    int first = 1;
    if (argc >= 3 && strcmp(argv[1], "-m") == 0) {
        heap_request = (long long)(int)strtol(argv[2], nullptr, 10) * 1000;
        first = 3;
    }
    source pending = keyboard();
    if (first < argc) pending = {internal_name(argv[first]), argv[first], false};
    if (first + 1 < argc) {
        int fd = open_output(argv[first + 1]);
        if (fd < 0) {
            set_error_parm(internal_name(argv[first + 1]).c_str());
            out_str("-> ");
            out_format(error_message(ERR_OPEN), error_parm);
            out_str("\n");
            out_flush();
            return ERR_OPEN;
        }
        out_redirect(fd);
    }
    keyboard_start({first + 1 >= argc, completions, &pending_signal_error, ERR_INTERRUPT});
    if (!pending.name) {
        out_str(banner_title);
        out_str(banner_version);
    }
    return run(pending);
}
}  // namespace

void print_version_line() { out_str(banner_version); }

void reset_interpreter() {
    if (input) fclose(input);
    input = nullptr;
    curr_name.reset();
    input_reset();
    symbols_reset();
    heap_reset();
    out_reset();
    lazy_mode = curry_mode = 0;
    nstack_calls = 0;
    nstack_symbols = 0;
    pending_signal_error = 0;
}

int driver_main(int argc, char **argv) {
    execute_statement = execute;
    return run_session([&] { return start(argc, argv); });
}
