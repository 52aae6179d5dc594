// libFuzzer target: runs an arbitrary byte string through the whole
// interpreter twice, once as the source file and once as keyboard input,
// each time from a freshly reset interpreter with a small heap.
//
// LOAD reads files relative to the working directory: run the fuzzer in a
// scratch folder.
//
// A program may legitimately run forever (printing a cyclic lazy list, say).
// A watchdog thread therefore interrupts a run that exceeds its time budget
// the way Ctrl-C does at a terminal, so such input ends in the program's own
// error report instead of counting as a hang.
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "driver/session.h"
#include "errors/guards.h"
#include "errors/xerrmsg.h"

namespace {
using clock_type = std::chrono::steady_clock;
constexpr auto run_budget = std::chrono::milliseconds(300);

std::atomic<long long> run_started {-1};

long long now_ms() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(clock_type::now().time_since_epoch()).count();
}

void watchdog() {
    for (;;) {
        // Once a run is over its budget, every statement it goes on to read
        // is interrupted within a couple of milliseconds.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        long long started = run_started.load();
        if (started >= 0 && now_ms() - started > run_budget.count()) pending_signal_error = ERR_INTERRUPT;
    }
}

std::string work_folder;
FILE *keyboard_file;

void set_up() {
    char folder[] = "/tmp/jor-fuzz-XXXXXX";
    if (!mkdtemp(folder)) abort();
    work_folder = folder;
    std::thread(watchdog).detach();
    error_init(std::size_t(8) << 20);
}

void write_file(const char *name, const uint8_t *data, size_t size) {
    FILE *file = fopen(name, "wb");
    if (!file) abort();
    if (size) fwrite(data, 1, size, file);
    fclose(file);
}

bool read_keyboard(std::string &line) {
    line.clear();
    for (int c; (c = getc(keyboard_file)) != EOF;) {
        line += char(c);
        if (c == '\n') break;
    }
    return !line.empty();
}

// One run of the interpreter with a heap of `heap` thousand cells: `source`
// names the FILE argument or is null, `keyboard` is what the keyboard holds.
void run(int heap, const char *source, const char *keyboard) {
    session_reset();
    keyboard_file = fopen(keyboard, "rb");
    if (!keyboard_file) abort();
    session_options options;
    options.heap_cells = heap * 1000LL;
    if (source) options.file = source;
    session_host host;
    host.write = [](output_kind, std::string_view) {};
    host.read_line = read_keyboard;
    run_started = now_ms();
    session_run(options, host);
    run_started = -1;
    pending_signal_error = 0;
    fclose(keyboard_file);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (work_folder.empty()) set_up();
    // The first byte picks a heap of 1 000 to 16 000 cells, small enough that
    // running out of cells while reading, evaluating and printing is common.
    int heap = size ? 1 + data[0] % 16 : 1;
    std::string input = work_folder + "/input.jor", empty = work_folder + "/empty";
    write_file(input.c_str(), data, size);
    write_file(empty.c_str(), nullptr, 0);
    run(heap, input.c_str(), empty.c_str());
    run(heap, nullptr, input.c_str());
    return 0;
}
