// Ctrl-C in an interactive session: during evaluation it becomes error 7 at
// the next evaluation step; while a line is typed it only drops that line.
#include <gtest/gtest.h>

#include <csignal>

#include "console/signals.h"
#include "errors/guards.h"
#include "errors/xerror.h"

class ConsoleSignals : public ::testing::Test {
protected:
    void SetUp() override {
        console_signals_start(true, &pending_signal_error, ERR_INTERRUPT);
        pending_signal_error = 0;
    }
    void TearDown() override {
        signal(SIGINT, SIG_DFL);
        pending_signal_error = 0;
    }
};

TEST_F(ConsoleSignals, CtrlCDuringEvaluationIsRaisedByTheNextStep) {
    raise(SIGINT);
    EXPECT_EQ(pending_signal_error, ERR_INTERRUPT);
    EXPECT_EQ(run_protected([] { check_stack(); }), ERR_INTERRUPT);
    // Raised once: the step after that goes on.
    EXPECT_EQ(run_protected([] { check_stack(); }), 0);
}

TEST_F(ConsoleSignals, CtrlCWhileTypingDropsTheLineOnly) {
    keyboard_wait_begins();
    raise(SIGINT);
    EXPECT_EQ(pending_signal_error, 0);
    EXPECT_TRUE(take_keyboard_interrupt());
    EXPECT_FALSE(take_keyboard_interrupt());
    raise(SIGINT);  // noted, and forgotten when the line is read
    keyboard_wait_ends();
    EXPECT_FALSE(take_keyboard_interrupt());
    EXPECT_EQ(run_protected([] { check_stack(); }), 0);
}

TEST_F(ConsoleSignals, CtrlCJustBeforeTheWaitIsNotLeftForTheNextStatement) {
    raise(SIGINT);
    keyboard_wait_begins();
    keyboard_wait_ends();
    EXPECT_EQ(pending_signal_error, 0);
    EXPECT_EQ(run_protected([] { check_stack(); }), 0);
}

TEST_F(ConsoleSignals, AnotherPendingSignalErrorIsKept) {
    pending_signal_error = ERR_FLOAT;
    raise(SIGINT);
    EXPECT_EQ(pending_signal_error, ERR_FLOAT);
    keyboard_wait_begins();
    keyboard_wait_ends();
    EXPECT_EQ(run_protected([] { check_stack(); }), ERR_FLOAT);
}

TEST_F(ConsoleSignals, ResizesAreNotedOnlyWhileWatched) {
    watch_resizes(true);
    raise(SIGWINCH);
    EXPECT_TRUE(take_resize());
    EXPECT_FALSE(take_resize());
    watch_resizes(false);
    raise(SIGWINCH);  // default action: ignored
    EXPECT_FALSE(take_resize());
}
