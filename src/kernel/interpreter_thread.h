// The interpreter's own thread. The interpreter's state is not shared: every
// use of it, a cell as much as a completion, runs there as a task, one at a
// time and in the order posted.
#pragma once
#include <functional>

// Starts the thread on a stack as large as the console's interpreter has
// (smaller if that cannot be had), with the stack guard measured against it.
// False when no thread could be made.
bool interpreter_thread_start();
// Runs `task` on the interpreter's thread after the tasks before it; returns at once.
void interpreter_post(std::function<void()> task);
// Runs `task` there and returns when it has run.
void interpreter_run(const std::function<void()> &task);
// Runs the tasks already posted, then ends the thread and waits for it.
void interpreter_thread_stop();
