// The session of a notebook's cells. Owns its options and the note of
// whether a cell is running, which is all an interrupt may look at.
#include "kernel/notebook_session.h"

#include <atomic>
#include <vector>

namespace {
session_options options;
std::atomic<bool> cell_running;
static_assert(std::atomic<bool>::is_always_lock_free);

// Lines with their line ends; a last line without one gets one.
std::vector<std::string> lines_of(const std::string &text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + '\n');
            break;
        }
        lines.push_back(text.substr(start, end + 1 - start));
        start = end + 1;
    }
    return lines;
}

// Runs the session over `lines`; the first error ends the input.
int run_lines(const std::vector<std::string> &lines, const cell_listener &tell) {
    std::size_t next = 0;
    bool failed = false;
    session_host host;
    host.write = [&](output_kind kind, std::string_view bytes) {
        cell_event told;
        told.kind = kind;
        told.bytes = bytes;
        tell(told);
    };
    host.read_line = [&](std::string &line) {
        if (failed || next == lines.size()) return false;
        line = lines[next++];
        return true;
    };
    host.statement_done = [&](const statement_event &event) {
        cell_event told;
        told.what = cell_event::type::statement;
        told.error_code = event.error_code;
        told.from_keyboard = event.source.empty();
        if (event.error_code != 0) failed = true;
        tell(told);
    };
    cell_running = true;
    int status = session_run(options, host);
    cell_running = false;
    return status;
}
}  // namespace

session_options notebook_options(long long heap_cells, const std::string &load_folder) {
    session_options settings;
    settings.heap_cells = heap_cells;
    settings.banner = false;
    settings.prompts = false;
    settings.utf8 = true;
    settings.load_folder = load_folder;
    return settings;
}

std::string start_notebook_session(const session_options &settings) {
    options = settings;
    std::string written;
    run_lines({}, [&](const cell_event &event) { written += event.bytes; });
    return written;
}

void run_cell(const std::string &code, const cell_listener &tell) {
    cell_event finished;
    finished.what = cell_event::type::finished;
    finished.status = run_lines(lines_of(code), tell);
    if (!session_ran_to_end()) {
        session_reset();
        start_notebook_session(options);
        finished.restarted = true;
    }
    tell(finished);
}

void interrupt_cell() {
    if (cell_running) session_interrupt();
}
