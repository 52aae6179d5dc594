// The entry point of jor-kernel, the Jupyter kernel:
//   jor-kernel [-m N] -f CONNECTION_FILE
// Owns nothing past start-up: the session lives on the interpreter's thread,
// the connection on this one, Ctrl-C (SIGINT, as Jupyter interrupts a
// kernel) is taken by a thread of its own, and another ends the kernel when
// the front end that started it has gone.
#include <pthread.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <xeus/xhelper.hpp>
#include <xeus/xkernel.hpp>
#include <xeus/xkernel_configuration.hpp>
#include <xeus/xserver_zmq.hpp>
#include <zmq.hpp>

#include "kernel/interpreter_thread.h"
#include "kernel/jor_interpreter.h"
#include "kernel/notebook_session.h"
#include "kernel/queries.h"

namespace {
constexpr const char *usage =
    "Использование: jor-kernel [-m N] -f ФАЙЛ_СОЕДИНЕНИЯ\n"
    "  -m N  размер кучи в тысячах ячеек (по умолчанию 500);\n"
    "        переменная окружения JOR_HEAP, если задана, сильнее\n"
    "Ядро Jupyter для JOR; его запускает Jupyter по описанию ядра jor.\n";

struct kernel_arguments {
    long long heap_cells = 500000;
    std::string connection_file;
};

// N thousand cells, read as the console reads -m N.
long long heap_cells_of(const char *n) { return (long long)(int)strtol(n, nullptr, 10) * 1000; }

bool read_arguments(int argc, char **argv, kernel_arguments &arguments) {
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "-m") == 0 && i + 1 < argc)
            arguments.heap_cells = heap_cells_of(argv[++i]);
        else if (strcmp(argv[i], "-f") == 0 && i + 1 < argc)
            arguments.connection_file = argv[++i];
        else
            return false;
    }
    if (const char *heap = getenv("JOR_HEAP"); heap && *heap) arguments.heap_cells = heap_cells_of(heap);
    return !arguments.connection_file.empty();
}

void *take_interrupts(void *) {
    sigset_t interrupt;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    for (;;) {
        int signal;
        if (sigwait(&interrupt, &signal) == 0) interrupt_cell();
    }
}

// A front end that dies without asking the kernel to shut down leaves it to
// the init process; the kernel then ends too, instead of running on unseen.
// Jupyter names the front end in JPY_PARENT_PID, so one that died before
// this ran is noticed as well.
void *follow_front_end(void *parent) {
    for (;;) {
        if (getppid() != *static_cast<pid_t *>(parent)) _exit(0);
        sleep(1);
    }
}

bool watch_front_end() {
    const char *named = getenv("JPY_PARENT_PID");
    static pid_t parent = named && *named ? pid_t(atol(named)) : getppid();
    pthread_t watcher;
    if (pthread_create(&watcher, nullptr, follow_front_end, &parent) != 0) return false;
    pthread_detach(watcher);
    return true;
}

// Every thread made from here on, xeus's included, leaves SIGINT to the one
// that waits for it, so an interrupt never lands inside a poll or a lock.
bool route_interrupts() {
    sigset_t interrupt;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    if (pthread_sigmask(SIG_BLOCK, &interrupt, nullptr) != 0) return false;
    pthread_t watcher;
    if (pthread_create(&watcher, nullptr, take_interrupts, nullptr) != 0) return false;
    pthread_detach(watcher);
    return true;
}
}  // namespace

int main(int argc, char **argv) {
    kernel_arguments arguments;
    if (argc == 2 && strcmp(argv[1], "--version") == 0) {
        std::string version;
        interpreter_thread_start();
        interpreter_run([&] { version = banner_text(); });
        interpreter_thread_stop();
        printf("%s\n", version.substr(version.find('\n') + 1).c_str());
        return 0;
    }
    if (!read_arguments(argc, argv, arguments)) {
        fputs(usage, stderr);
        return 2;
    }
    if (!route_interrupts() || !watch_front_end() || !interpreter_thread_start()) {
        fputs("jor-kernel: не удалось запустить потоки\n", stderr);
        return 1;
    }
    std::string heap_report;
    interpreter_run([&] { heap_report = start_notebook_session(notebook_options(arguments.heap_cells, "")); });
    // Every cell will show this report too; here it goes to the kernel's log.
    if (!heap_report.empty()) fputs(heap_report.c_str(), stderr);

    auto context = xeus::make_context<zmq::context_t>();
    xeus::xconfiguration config = xeus::load_configuration(arguments.connection_file);
    xeus::xkernel kernel(config, xeus::get_user_name(), std::move(context), std::make_unique<jor_interpreter>(),
                         xeus::make_xserver_zmq);
    kernel.start();
    interpreter_thread_stop();
    return 0;
}
