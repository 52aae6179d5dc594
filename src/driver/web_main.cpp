// The entry point of the playground: web/worker.js calls main once per run
// with a command line, jor [-m N] [FILE]. Owns the countdown to the next
// Stop poll, the name of the program the page sent and the last completions.
//
// Output goes to the worker in pieces of one kind; each statement of the
// program is told with its lines, so the page can mark a failed one. While
// the session waits for a line, the worker may ask for the completions of a
// name, which are the console's, the names defined so far included. The page
// cannot signal a busy worker: its Stop button sets a flag in memory shared
// with the worker instead, and the stack guard reads it every few thousand
// evaluation steps.
#include <emscripten.h>
#include <emscripten/stack.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "console/encoding.h"
#include "console/output.h"
#include "driver/completion.h"
#include "driver/session.h"
#include "errors/guards.h"
#include "text/chars.h"

namespace {
constexpr int STEPS_BETWEEN_POLLS = 4096;

// Static, not in main's frame: the stack guard's small budget here counts
// every byte of linear memory below the top of the stack.
session_options options;
session_host host;
std::optional<std::string> program;
std::string completions_found;
}  // namespace

// The worker's side of the session; worker.js defines each on Module.
EM_JS(int, take_stop_request, (), { return Module.takeStopRequest(); });
EM_JS(void, hand_output, (int kind, const char *bytes, int n),
      { Module.takeOutput(kind, HEAPU8.subarray(bytes, bytes + n)); });
// Blocks until the page sends a line; its length in bytes, or -1 at the end
// of input. copy_line then copies it to `to`.
EM_JS(int, wait_for_line, (), { return Module.waitForLine(); });
EM_JS(void, copy_line, (char *to), { Module.copyLine(HEAPU8, to); });
EM_JS(void, tell_statement, (int first_line, int last_line, int error_code, int in_program),
      { Module.statementDone(first_line, last_line, error_code, in_program !== 0); });

int steps_until_interrupt_poll = STEPS_BETWEEN_POLLS;

void poll_interrupt() {
    steps_until_interrupt_poll = STEPS_BETWEEN_POLLS;
    if (take_stop_request()) session_interrupt();
}

namespace {
void write(output_kind kind, std::string_view bytes) { hand_output(int(kind), bytes.data(), int(bytes.size())); }

bool read_line(std::string &line) {
    int n = wait_for_line();
    if (n < 0) return false;
    line.resize(std::size_t(n));
    copy_line(line.data());
    return true;
}

// Only the program's statements have lines in the page's editor; those of a
// LOADed file or of the keyboard do not. What the statement wrote is handed
// over first, so the worker knows which output the lines belong to.
void statement_done(const statement_event &event) {
    out_flush();
    bool in_program = program && event.source == internal_name(program->c_str());
    tell_statement(event.first_line, event.last_line, event.error_code, in_program);
}
}  // namespace

// The names that begin with `typed_utf8` (any letter case), one per line,
// in UTF-8; valid until the next call. Only between statements, where the
// worker calls it as it waits for a keyboard line.
extern "C" EMSCRIPTEN_KEEPALIVE const char *jor_completions(const char *typed_utf8) {
    std::string prefix = typed_utf8;
    utf8_to_cp1251(prefix);
    upper(prefix.data());
    completions_found.clear();
    for (const std::string &name : completions(prefix)) {
        cp1251_to_utf8(name.data(), name.size(), completions_found);
        completions_found += '\n';
    }
    return completions_found.c_str();
}

// The console's command line less OUT: -m only first and with something
// after it, its number read as the console reads it.
int main(int argc, char **argv) {
    error_init(JOR_WEB_STACK);
    // Wasm frames keep so little in memory that a frame of the driver can
    // lie above the one error_init records; the depth is measured from the
    // top of the stack instead.
    stack_base = reinterpret_cast<char *>(emscripten_stack_get_base());
    options.utf8 = true;
    int first = 1;
    if (argc >= 3 && strcmp(argv[1], "-m") == 0) {
        options.heap_cells = (long long)(int)strtol(argv[2], nullptr, 10) * 1000;
        first = 3;
    }
    if (first < argc) options.file = program = argv[first];
    host.write = write;
    host.read_line = read_line;
    host.statement_done = statement_done;
    return session_run(options, host);
}
