// What a cell's events become in a notebook. A value is only known to be the
// cell's result once the cell has ended, so the newest one waits in `held`
// and is streamed instead as soon as anything else is to be shown.
#include "kernel/cell_output.h"

namespace {
void show_held(cell_output &output, const cell_publisher &publish) {
    if (output.held.empty()) return;
    publish.stream(output.held);
    output.held.clear();
}

void show_pending(cell_output &output, const cell_publisher &publish) {
    if (output.pending.empty()) return;
    publish.stream(output.pending);
    output.pending.clear();
}

cell_error error_of(int code, const std::string &report) {
    cell_error error {error_name(code), {}, {}};
    std::size_t start = 0;
    while (start < report.size()) {
        std::size_t end = report.find('\n', start);
        if (end == std::string::npos) end = report.size();
        error.traceback.push_back(report.substr(start, end - start));
        start = end + 1;
    }
    if (!error.traceback.empty()) {
        error.evalue = error.traceback.front();
        if (error.evalue.rfind("-> ", 0) == 0) error.evalue.erase(0, 3);
    }
    return error;
}

void fail(cell_output &output, int code, const cell_publisher &publish) {
    cell_error error = error_of(code, output.report);
    output.report.clear();
    publish.error(error);
    if (!output.failure) output.failure = std::move(error);
}
}  // namespace

std::string error_name(int code) { return "Ошибка " + std::to_string(code); }

void take_event(cell_output &output, const cell_event &event, const cell_publisher &publish) {
    switch (event.what) {
    case cell_event::type::output:
        if (event.kind == output_kind::result) {
            output.pending += event.bytes;
            if (output.streaming || output.pending.size() > LONGEST_HELD_VALUE) {
                show_held(output, publish);
                show_pending(output, publish);
                output.streaming = true;
            }
        } else if (event.kind == output_kind::report) {
            output.report += event.bytes;
        } else {
            // A LOADed file's echo, QUIT's farewell.
            show_held(output, publish);
            publish.stream(event.bytes);
        }
        return;
    case cell_event::type::statement:
        output.streaming = false;
        show_held(output, publish);
        if (event.error_code != 0) {
            show_pending(output, publish);
            fail(output, event.error_code, publish);
        } else if (event.from_keyboard) {
            output.held.swap(output.pending);
        } else {
            show_pending(output, publish);
        }
        return;
    case cell_event::type::finished:
        show_pending(output, publish);
        // A report without a statement: the heap could not be set up.
        if (!output.report.empty()) fail(output, event.status, publish);
        if (!output.held.empty()) {
            std::string value = std::move(output.held);
            output.held.clear();
            if (!value.empty() && value.back() == '\n') value.pop_back();
            publish.result(value);
        }
        return;
    }
}
