#include "support.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "console/output.h"
#include "errors/guards.h"
#include "eval/eval.h"
#include "eval/symbols.h"
#include "printer/printer.h"
#include "reader/input.h"
#include "reader/sexpr.h"

namespace unit {
int nmem_after_init = -1;

namespace {
// The stack guard measures from the position recorded here, before main and
// therefore above every frame a test runs in.
const bool guard_armed = [] {
    error_init(std::size_t(8) << 20);
    return true;
}();

// Everything written to `fd` from the current position on, as text.
std::string contents_from(int fd, off_t start) {
    std::string text;
    char buffer[4096];
    lseek(fd, start, SEEK_SET);
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, std::size_t(n));
    return text;
}
}  // namespace

void prepare_heap() {
    if (heap_ready()) return;
    heap_request = HEAP_CELLS;
    mem_init();
    nmem_after_init = nmem;
}

void reset_heap() {
    (void)guard_armed;
    prepare_heap();
    lazy_mode = 0;
    clear_global_frame();
    garbage();
}

int list_of(std::initializer_list<int> items) {
    int result = NIL;
    for (auto it = items.end(); it != items.begin();) result = make_pair(*--it, result);
    return result;
}

std::vector<int> free_list() {
    std::vector<int> cells;
    for (int i = fmem; i >= 0 && cells.size() <= std::size_t(nmem); i = mem[i].u.w.first) cells.push_back(i);
    return cells;
}

std::string printed(int v) {
    FILE *capture = tmpfile();
    out_redirect(fileno(capture));
    print_list(v);
    out_redirect(1);
    std::string text = contents_from(fileno(capture), 0);
    fclose(capture);
    return text;
}

read_outcome read_text(const std::string &text, int count) {
    FILE *source = tmpfile();
    fputs(text.c_str(), source);
    rewind(source);
    // The source lines are echoed as they are read; keep them off the test log.
    int discard = open("/dev/null", O_WRONLY);
    out_redirect(discard);
    read_outcome outcome {{}, 0};
    init_in(source);
    outcome.error = run_protected([&] {
        while (int(outcome.data.size()) < count) {
            nparent = 0;
            outcome.data.push_back(read_list());
        }
    });
    out_redirect(1);
    close(discard);
    fclose(source);
    return outcome;
}
}  // namespace unit
