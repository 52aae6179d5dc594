// State after errors: a failed evaluation leaves garbage that one collection
// reclaims completely, and leaves the global definitions, the switches and
// unforced promises as they were.
#include "support.h"

#include "eval/eval.h"
#include "eval/symbols.h"

namespace {
int free_cells() { return MEM_SIZE - nmem + int(unit::free_list().size()); }

// Evaluates the datum read from `text` at top level; the error code or 0.
int evaluate(const std::string &text) {
    unit::read_outcome read = unit::read_text(text);
    EXPECT_EQ(read.error, 0) << text;
    return run_protected([&] { eval(read.data.at(0), nptr, vptr); });
}
}  // namespace

TEST_F(HeapTest, FailedStatementsLeaveOnlyGarbage) {
    ASSERT_EQ(evaluate("(DEFINE (F N) (IF (= N 0) (CAR N) (F (- N 1))))"), 0);
    garbage();
    int before = free_cells();
    const char *failing[] = {
        "(F 100)",                    // error 13 deep in a recursion
        "(UNKNOWN-NAME 1 2)",         // error 15
        "(F)",                        // error 12
        "((LAMBDA (X) (X X)) (LAMBDA (X) (X X)))",  // the call trace overflows
        "(LET ((A 1) (B)) A)",        // a malformed binding
    };
    for (const char *text : failing) {
        EXPECT_NE(evaluate(text), 0) << text;
        nstack_calls = 0;
        garbage();
        EXPECT_EQ(free_cells(), before) << text;
        EXPECT_TRUE(heap_consistent());
    }
    EXPECT_EQ(evaluate("(F 0)"), ERR_BAD_ARG) << "the definition survives";
}

TEST_F(HeapTest, SwitchesAndPromisesSurviveErrors) {
    ASSERT_EQ(evaluate("(DEFINE P (DELAY (CAR Q)))"), 0);
    ASSERT_EQ(evaluate("(CURRY #T)"), 0);
    EXPECT_EQ(evaluate("(FORCE P)"), ERR_UNKNOWN);
    nstack_calls = 0;
    EXPECT_EQ(curry_mode, 1);
    ASSERT_EQ(evaluate("(DEFINE Q (QUOTE (7)))"), 0);
    int value = NIL;
    ASSERT_EQ(run_protected([&] { value = eval(make_symbol("P"), nptr, vptr); }), 0);
    ASSERT_TRUE(is_lazy(value)) << "a promise whose forcing failed stays unforced";
    ASSERT_EQ(run_protected([&] { value = force(value); }), 0);
    EXPECT_EQ(get_number(value, ""), 7);
    curry_mode = 0;
}
