// The console program's front end: the command line jor [-m N] [FILE [OUT]],
// a session on the keyboard and standard output (or OUT), and writes that
// are checked. Owns the output descriptor and the name it is known by.
//
// A write that fails (a full disk, a closed or broken output) ends the run at
// once with status 74 and a line on standard error: a transcript is either
// whole or known to be cut.
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "console/encoding.h"
#include "console/keyboard.h"
#include "console/output.h"
#include "driver/completion.h"
#include "driver/driver.h"
#include "driver/files.h"
#include "driver/session.h"
#include "errors/guards.h"
#include "errors/xerrmsg.h"
#include "errors/xerror.h"
#include "text/cp1251.h"

namespace {
constexpr cp_text<40> write_failed = "jor: ошибка записи в ";
constexpr cp_text<40> standard_output = "стандартный вывод";

struct output_target {
    int fd = 1;
    std::string name;  // OUT as given on the command line; empty for standard output
};
output_target target;
bool reading_keyboard;
bool failure_pending;

void tell_write_failure(int error) {
    std::string line = console_text(write_failed);
    line += target.name.empty() ? console_text(standard_output) : target.name;
    line += ": ";
    line += strerror(error);
    line += '\n';
    ssize_t ignored = write(2, line.data(), line.size());
    (void)ignored;
}

// False once a write has failed; the failure is told on standard error.
bool write_all(std::string_view bytes) {
    if (failure_pending) return false;
    while (!bytes.empty()) {
        ssize_t n = write(target.fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            tell_write_failure(n < 0 ? errno : ENOSPC);
            failure_pending = true;
            return false;
        }
        bytes.remove_prefix(std::size_t(n));
    }
    return true;
}

// The line editor is C code that an unwind must not cross: a write that
// fails inside it ends the run once the line has been read.
void write_output(output_kind, std::string_view bytes) {
    if (!write_all(bytes) && !reading_keyboard) session_end(EXIT_WRITE_FAILED);
}

// Ctrl-C at the prompt throws away the line being typed and, with it, the
// whole statement that the line would have continued.
bool read_keyboard(std::string &line) {
    for (;;) {
        reading_keyboard = true;
        keyboard_read got = keyboard_read_line(line);
        reading_keyboard = false;
        if (failure_pending) session_end(EXIT_WRITE_FAILED);
        if (got != keyboard_read::dropped) return got == keyboard_read::line;
        if (session_statement_unfinished()) session_abandon_statement();
        keyboard_prompt(false);
    }
}

void prompt_keyboard() { keyboard_prompt(session_statement_unfinished()); }

// Message 16 for an OUT that cannot be used, on the original standard output.
int refuse_output(const char *external_name) {
    set_error_parm(internal_name(external_name).c_str());
    std::string message = "-> ";
    message += error_message(ERR_OPEN);
    char line[256];
    snprintf(line, sizeof line, message.c_str(), error_parm);
    std::string text = console_text(line) + "\n";
    return write_all(text) ? ERR_OPEN : EXIT_WRITE_FAILED;
}
}  // namespace

bool console_write_text(const char *text) { return write_all(console_text(text)); }

bool console_write_bytes(std::string_view bytes) { return write_all(bytes); }

int driver_main(int argc, char **argv) {
    target = {};
    failure_pending = false;
    guard_closed_standard_output();
    session_options options;
    int first = 1;
    if (argc >= 3 && strcmp(argv[1], "-m") == 0) {
        options.heap_cells = (long long)(int)strtol(argv[2], nullptr, 10) * 1000;
        first = 3;
    }
    if (first < argc) options.file = argv[first];
    if (first + 1 < argc) {
        const char *out = argv[first + 1];
        if (same_file(argv[first], out)) return refuse_output(out);
        int fd = open_output(out);
        if (fd < 0) return refuse_output(out);
        target = {fd, out};
        forbid_source(fd);
    }
    keyboard_start({first + 1 >= argc, completions, &pending_signal_error, ERR_INTERRUPT});
    session_host host;
    host.write = write_output;
    host.read_line = read_keyboard;
    host.prompt = prompt_keyboard;
    return session_run(options, host);
}
