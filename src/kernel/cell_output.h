// What a cell's events become in a notebook: text streamed as it comes, the
// value of the cell's last statement as its result, and each error as an
// error message. Owns nothing but the state of one cell's output.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "kernel/notebook_session.h"

// An error report as a notebook shows one: the name of its code, its
// message line, and the report's lines as the console prints them.
struct cell_error {
    std::string ename;
    std::string evalue;
    std::vector<std::string> traceback;
};

struct cell_publisher {
    std::function<void(const std::string &text)> stream;
    std::function<void(const std::string &text)> result;  // without its line end
    std::function<void(const cell_error &error)> error;
};

struct cell_output {
    std::string held;     // the newest keyboard statement's value, not shown yet
    std::string pending;  // what the statement being run has printed of its value
    bool streaming = false;  // the value being printed is too long to hold: it streams
    std::string report;   // the error report being written
    std::optional<cell_error> failure;  // the first error of the cell
};

// A value longer than this is streamed as it is printed instead of being
// held for the result: an endless one (a cyclic list in lazy mode) shows
// itself growing until it is interrupted, as at the console.
constexpr std::size_t LONGEST_HELD_VALUE = std::size_t(1) << 16;

// Publishes what `event` completes. A value is held back until the next
// output or the end of the cell shows whether it was the last one.
void take_event(cell_output &output, const cell_event &event, const cell_publisher &publish);
// The message that names error `code` ("Ошибка 7").
std::string error_name(int code);
