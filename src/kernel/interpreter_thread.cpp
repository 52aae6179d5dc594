// The interpreter's own thread and the tasks handed to it. Owns the thread
// and its queue; an empty task is the sign to end.
#include "kernel/interpreter_thread.h"

#include <pthread.h>

#include <future>

#include "errors/guards.h"
#include "kernel/mailbox.h"

namespace {
// The console's size first: deep recursion is then stopped by the guard's
// budget, as at the console, never by the operating system.
constexpr std::size_t STACK_SIZES[] = {std::size_t(1) << 30, std::size_t(64) << 20};

mailbox<std::function<void()>> tasks;
pthread_t thread;
std::size_t stack_size;
bool running;

void *serve(void *) {
    error_init(stack_size);
    for (;;) {
        std::function<void()> task = tasks.take();
        if (!task) return nullptr;
        task();
    }
}
}  // namespace

bool interpreter_thread_start() {
    for (std::size_t size : STACK_SIZES) {
        pthread_attr_t attributes;
        pthread_attr_init(&attributes);
        pthread_attr_setstacksize(&attributes, size);
        stack_size = size;
        running = pthread_create(&thread, &attributes, serve, nullptr) == 0;
        pthread_attr_destroy(&attributes);
        if (running) return true;
    }
    return false;
}

void interpreter_post(std::function<void()> task) { tasks.put(std::move(task)); }

void interpreter_run(const std::function<void()> &task) {
    std::promise<void> done;
    interpreter_post([&] {
        task();
        done.set_value();
    });
    done.get_future().wait();
}

void interpreter_thread_stop() {
    if (!running) return;
    tasks.put(nullptr);
    pthread_join(thread, nullptr);
    running = false;
}
