// The entry point of the playground: web/worker.js calls main once per run
// with a console command line. Owns the countdown to the next Stop poll.
//
// The page cannot signal a busy worker; its Stop button sets a flag in
// memory shared with the worker instead, and the stack guard reads it every
// few thousand evaluation steps.
#include <emscripten.h>
#include <emscripten/stack.h>

#include "console/output.h"
#include "driver/driver.h"
#include "errors/guards.h"
#include "errors/xerrmsg.h"

namespace {
constexpr int STEPS_BETWEEN_POLLS = 4096;
}  // namespace

// True once for each press of Stop; worker.js owns the flag.
EM_JS(int, take_stop_request, (), { return Module.takeStopRequest(); });

int steps_until_interrupt_poll = STEPS_BETWEEN_POLLS;

void poll_interrupt() {
    steps_until_interrupt_poll = STEPS_BETWEEN_POLLS;
    if (take_stop_request() && !pending_signal_error) pending_signal_error = ERR_INTERRUPT;
}

// The console program's main, less the thread with the large stack: the
// module's stack is fixed at link time, and the guard's budget fits the
// engine's stack, not this one.
int main(int argc, char **argv) {
    error_init(JOR_WEB_STACK);
    // Wasm frames keep so little in memory that a frame of the driver can
    // lie above the one error_init records; the depth is measured from the
    // top of the stack instead.
    stack_base = reinterpret_cast<char *>(emscripten_stack_get_base());
    int status = driver_main(argc, argv);
    out_flush();
    return status;
}
