// The Jupyter requests. A cell runs on the interpreter's thread while this
// thread, which owns the connection, publishes its events as they arrive;
// the other requests run there as tasks and wait for their answer.
#include "kernel/jor_interpreter.h"

#include <xeus/xhelper.hpp>

#include "kernel/cell_output.h"
#include "kernel/interpreter_thread.h"
#include "kernel/mailbox.h"
#include "kernel/notebook_session.h"
#include "kernel/queries.h"

namespace {
nl::json plain_text(const std::string &text) { return {{"text/plain", text}}; }

// Written out here: xeus 2.4's create_error_reply puts ename and evalue each
// in the other's place.
nl::json error_reply(const cell_error &error) {
    return {{"status", "error"}, {"ename", error.ename}, {"evalue", error.evalue}, {"traceback", error.traceback}};
}
}  // namespace

void jor_interpreter::configure_impl() {}

nl::json jor_interpreter::execute_request_impl(int execution_counter, const std::string &code, bool silent, bool,
                                               nl::json, bool) {
    mailbox<cell_event> events;
    interpreter_post([&events, code] { run_cell(code, [&events](const cell_event &event) { events.put(event); }); });
    cell_publisher publish;
    publish.stream = [&](const std::string &text) {
        if (!silent) publish_stream("stdout", text);
    };
    publish.result = [&](const std::string &text) {
        if (!silent) publish_execution_result(execution_counter, plain_text(text), nl::json::object());
    };
    publish.error = [&](const cell_error &error) {
        if (!silent) publish_execution_error(error.ename, error.evalue, error.traceback);
    };
    cell_output output;
    for (;;) {
        cell_event event = events.take();
        take_event(output, event, publish);
        if (event.what == cell_event::type::finished) break;
    }
    return output.failure ? error_reply(*output.failure) : xeus::create_successful_reply();
}

nl::json jor_interpreter::complete_request_impl(const std::string &code, int cursor_pos) {
    completion_reply reply;
    interpreter_run([&] { reply = complete_name(code, cursor_pos); });
    return xeus::create_complete_reply(reply.matches, reply.start, reply.end);
}

nl::json jor_interpreter::inspect_request_impl(const std::string &code, int cursor_pos, int) {
    std::optional<std::string> found;
    interpreter_run([&] { found = inspect_name(code, cursor_pos); });
    if (!found) return xeus::create_inspect_reply(false);
    return xeus::create_inspect_reply(true, plain_text(*found));
}

nl::json jor_interpreter::is_complete_request_impl(const std::string &code) {
    std::string status;
    interpreter_run([&] { status = completeness(code); });
    return xeus::create_is_complete_reply(status, "");
}

nl::json jor_interpreter::kernel_info_request_impl() {
    std::string banner, version;
    interpreter_run([&] {
        banner = banner_text();
        version = language_version();
    });
    // No Pygments lexer knows JOR: "text" keeps jupyter console and nbconvert
    // from warning about a missing one. The CodeMirror mode comes with the
    // kernelspec's kernel.js.
    return xeus::create_info_reply("5.3", "jor-kernel", version, "jor", version, "text/x-jor", ".jor", "text", "jor",
                                   "", banner);
}

void jor_interpreter::shutdown_request_impl() {}
