// The one session a notebook's cells share. A cell is keyboard text: its
// lines are read one after another and the end of the cell is the end of
// input, which ends its last statement as it ends a file's. Everything here
// but interrupt_cell runs on the interpreter's thread.
#pragma once
#include <functional>
#include <string>

#include "driver/session.h"

// What running a cell tells, in the order it happens.
struct cell_event {
    enum class type { output, statement, finished };
    type what = type::output;
    output_kind kind = output_kind::text;  // output: what it is and its bytes (UTF-8)
    std::string bytes;
    int error_code = 0;          // statement: 0 when its value was printed
    bool from_keyboard = true;   // statement: false for one of a LOADed file
    int status = 0;              // finished: the session's status, 0 but for a heap never set up
    bool restarted = false;      // finished: QUIT ended the session; a fresh one has begun
};
using cell_listener = std::function<void(const cell_event &event)>;

// The settings every run of the session takes: no prompts, no banner, UTF-8.
session_options notebook_options(long long heap_cells, const std::string &load_folder);
// Starts the session: the heap is set up as the first statement would set it
// up. Returns what that wrote: nothing, or the report of a heap that cannot be had.
std::string start_notebook_session(const session_options &options);
// Runs `code` with the session's options. An error drops the rest of the
// cell, as it drops the rest of a keyboard line; definitions stay. After
// QUIT the session starts afresh.
void run_cell(const std::string &code, const cell_listener &tell);
// Stops the statement a running cell evaluates with error 7 ("Прерывание по
// Ctrl-C"); does nothing between cells. Safe from any thread and from a
// signal handler.
void interrupt_cell();
