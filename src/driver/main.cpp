// The entry point. The interpreter runs on a thread with a large stack, so
// that deep recursion is stopped by the stack guard's budget, never by the
// operating system.
#include <pthread.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "console/signals.h"
#include "driver/check.h"
#include "driver/driver.h"
#include "errors/guards.h"
#include "text/cp1251.h"

namespace {
constexpr cp_text<560> usage =
    "Использование: jor [-m N] [FILE [OUT]]\n"
    "               jor --check [-m N] FILE...\n"
    "  -m N       размер кучи в тысячах ячеек (по умолчанию 500)\n"
    "  FILE       исходный файл: читается первым, затем клавиатура\n"
    "  OUT        файл, в который идёт весь вывод\n"
    "  --check    сверяет вывод каждого FILE с записанными в нём строками \"-> \"\n"
    "  --help     эта справка\n"
    "  --version  версия\n";
constexpr std::size_t INTERPRETER_STACK = std::size_t(1) << 30;

struct run_arguments {
    int argc;
    char **argv;
    int status;
};

// The checker when --check comes first, else the console program.
int front_end(int argc, char **argv) {
    if (argc >= 2 && strcmp(argv[1], "--check") == 0) return check_main(argc, argv);
    return driver_main(argc, argv);
}

void *run_interpreter(void *p) {
    auto *run = static_cast<run_arguments *>(p);
    error_init(INTERPRETER_STACK);
    run->status = front_end(run->argc, run->argv);
    return nullptr;
}

// What is left of this thread's stack below the caller. The C library
// derives the lowest address the stack may grow to from the limit in force
// (getrlimit) less what the environment and the arguments take.
[[gnu::noinline]] std::size_t own_stack_left() {
    auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    pthread_attr_t attributes;
    if (pthread_getattr_np(pthread_self(), &attributes) == 0) {
        void *low;
        std::size_t length;
        bool known = pthread_attr_getstack(&attributes, &low, &length) == 0;
        pthread_attr_destroy(&attributes);
        auto bottom = reinterpret_cast<std::uintptr_t>(low);
        if (known && here > bottom) return std::min(here - bottom, INTERPRETER_STACK);
    }
    rlimit limit;
    if (getrlimit(RLIMIT_STACK, &limit) == 0 && limit.rlim_cur < INTERPRETER_STACK) return limit.rlim_cur;
    return INTERPRETER_STACK;
}

// The text that --help or --version, given alone, answers with.
const char *option_answer(int argc, char **argv) {
    if (argc != 2) return nullptr;
    if (strcmp(argv[1], "--version") == 0) return version_line();
    if (strcmp(argv[1], "--help") == 0) return usage;
    return nullptr;
}
}  // namespace

int main(int argc, char **argv) {
    // Past a file-size limit a write fails with EFBIG and is told like any
    // other failed write; the signal would end the run without a word.
    signal(SIGXFSZ, SIG_IGN);
    if (const char *answer = option_answer(argc, argv)) return console_write_text(answer) ? 0 : EXIT_WRITE_FAILED;
    run_arguments run {argc, argv, 0};
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, INTERPRETER_STACK);
    pthread_t thread;
    // The interpreter's thread inherits this mask and lifts it for itself.
    console_signals_block();
    if (pthread_create(&thread, &attributes, run_interpreter, &run) != 0) {
        // No room for the large stack (a limit on the address space, say):
        // run here, with the guard scaled to the stack this thread may have.
        error_init(own_stack_left());
        run.status = front_end(argc, argv);
    } else {
        pthread_join(thread, nullptr);
    }
    return run.status;
}
