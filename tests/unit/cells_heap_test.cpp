// The cell store and the collector: number normalisation, checked accessors,
// allocation order, and marking of cycles and very long chains.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "eval/eval.h"
#include "eval/symbols.h"
#include "support.h"
#include "text/cp1251.h"

using namespace unit;

namespace {
// The error code and error_parm left by running `body`.
template <class Body>
std::pair<int, std::string> failure_of(Body &&body) {
    int code = run_protected(body);
    return {code, code ? error_parm : ""};
}
}  // namespace

using CellTest = HeapTest;

TEST_F(CellTest, MakeNumberKeepsWholeValuesInRangeAsIntegers) {
    struct {
        double x;
        bool integer;
    } cases[] = {
        {3.0, true},          {2.5, false},         {-0.0, true},
        {2147483647.0, true}, {2147483648.0, false}, {-2147483648.0, true},
        {-2147483649.0, false}, {1e300, false},
    };
    for (auto c : cases) {
        int v = make_number(c.x);
        EXPECT_EQ(is_integer(v), c.integer) << c.x;
        EXPECT_EQ(is_real(v), !c.integer) << c.x;
        EXPECT_EQ(get_number(v, "T"), c.x) << c.x;
    }
    EXPECT_EQ(first_word(make_number(-0.0)), 0);
    EXPECT_EQ(first_word(make_number(-2147483648.0)), std::numeric_limits<int32_t>::min());
    int inf = make_number(std::numeric_limits<double>::infinity());
    int nan = make_number(std::nan(""));
    ASSERT_TRUE(is_real(inf) && is_real(nan));
    EXPECT_TRUE(std::isinf(mem[inf].u.real));
    EXPECT_TRUE(std::isnan(mem[nan].u.real));
}

TEST_F(CellTest, AccessorsRejectWrongTagsWithTheOperationName) {
    int n = make_integer(1);
    using result = std::pair<int, std::string>;
    EXPECT_EQ(failure_of([] { get_car(NIL); }), result(ERR_BAD_ARG, "CAR"));
    EXPECT_EQ(failure_of([&] { get_cdr(n); }), result(ERR_BAD_ARG, "CDR"));
    EXPECT_EQ(failure_of([] { set_car(-7, NIL); }), result(ERR_BAD_ARG, "SET-CAR!"));
    EXPECT_EQ(failure_of([&] { set_cdr(n, NIL); }), result(ERR_BAD_ARG, "SET-CDR!"));
    EXPECT_EQ(failure_of([] { get_number(make_boolean(1), "SQRT"); }), result(ERR_BAD_ARG, "SQRT"));
    EXPECT_EQ(failure_of([] { get_number(NIL, "+"); }), result(ERR_BAD_ARG, "+"));
    EXPECT_EQ(failure_of([&] { get_symbol(n, "LOAD"); }), result(ERR_BAD_ARG, "LOAD"));
    EXPECT_EQ(failure_of([&] { get_boolean(n, "IF"); }), result(ERR_BAD_ARG, "IF"));

    int p = make_pair(n, NIL);
    EXPECT_EQ(set_cdr(set_car(p, NIL), n), p);
    EXPECT_EQ(get_car(p), NIL);
    EXPECT_EQ(get_cdr(p), n);
    EXPECT_EQ(get_boolean(make_boolean(7), "IF"), 7);  // any non-zero int reads as true
}

TEST_F(CellTest, PredicatesTreatEveryNegativeIndexAsTheEmptyList) {
    for (int nil : {-1, -2, -1000}) {
        EXPECT_TRUE(is_null(nil) && is_atom(nil)) << nil;
        EXPECT_FALSE(is_pair(nil) || is_symbol(nil) || is_number(nil) || is_boolean(nil) || is_procedure(nil))
            << nil;
    }
    int code = make_pair(list_of({make_symbol("X")}), make_symbol("X"));
    int closure = make_procedure(code, make_pair(NIL, NIL));
    int promise = make_procedure(make_pair(NIL, make_integer(1)), make_pair(NIL, NIL));
    int builtin = make_libproc(make_symbol("CAR"), 0);
    EXPECT_TRUE(is_procedure(closure) && is_procedure(promise) && is_procedure(builtin));
    EXPECT_FALSE(is_procedure(code));
    EXPECT_TRUE(is_atom(closure) && !is_atom(code));
}

TEST_F(CellTest, TypeNames) {
    constexpr cp_text<32> empty = "Пустой список", builtin = "Встроенная функция", integer = "Целое число",
                          real = "Вещественное число", pair = "Список", free_cell = "Свободная ячейка";
    EXPECT_STREQ(cell_typeid(NIL), empty);
    EXPECT_STREQ(cell_typeid(-9), empty);
    EXPECT_STREQ(cell_typeid(make_libproc(make_symbol("CAR"), 0)), builtin);
    EXPECT_STREQ(cell_typeid(make_integer(0)), integer);
    EXPECT_STREQ(cell_typeid(make_real(0.5)), real);
    EXPECT_STREQ(cell_typeid(make_pair(NIL, NIL)), pair);
    EXPECT_STREQ(type2name(CELL_FREE), free_cell);
}

TEST_F(HeapTest, StartsWithTheTwoRoots) {
    EXPECT_EQ(nmem_after_init, 2);
    EXPECT_EQ(nptr, 0);
    EXPECT_EQ(vptr, 1);
    EXPECT_EQ(MEM_SIZE, HEAP_CELLS);
    EXPECT_TRUE(is_pair(nptr) && is_pair(vptr));
    EXPECT_EQ(get_cdr(nptr), NIL);
    EXPECT_EQ(get_cdr(vptr), NIL);
}

TEST_F(HeapTest, FindFreeTakesTheFreeListThenTheTail) {
    while (fmem >= 0) {
        int head = fmem, next = mem[fmem].u.w.first;
        ASSERT_EQ(make_integer(0), head);
        ASSERT_EQ(fmem, next);
    }
    int tail = nmem;
    if (tail < MEM_SIZE) {
        EXPECT_EQ(make_integer(0), tail);
        EXPECT_EQ(nmem, tail + 1);
    } else {  // an earlier test used up the tail
        EXPECT_EQ(run_protected([] { make_integer(0); }), ERR_TABLE_FULL);
    }
}

// The count logged per statement: every cell taken since the last
// collection, from the free list and from the never-used tail alike.
TEST_F(HeapTest, CellsTakenSinceTheLastCollectionCountBothSources) {
    EXPECT_EQ(cells_taken_since_collection(), 0);
    int made = 0;
    for (; fmem >= 0 || made < 10; made++) make_integer(made);
    int tail_cells = std::min(5, MEM_SIZE - nmem);
    for (int k = 0; k < tail_cells; k++) make_pair(NIL, NIL);
    EXPECT_EQ(cells_taken_since_collection(), made + tail_cells);
    garbage();
    EXPECT_EQ(cells_taken_since_collection(), 0);
    make_boolean(1);
    EXPECT_EQ(cells_taken_since_collection(), 1);
}

TEST_F(HeapTest, FreedCellsComeBackHighestFirstBeforeOlderFreeCells) {
    std::vector<int> held;
    int keep = NIL;
    for (int k = 0; k < 20; k++) {
        held.push_back(keep = make_pair(make_integer(k), keep));
    }
    add_value(make_symbol("UNIT-KEEP"), keep);
    std::vector<int> before = free_list();

    // Drop three elements: exactly their integer cells become unreachable.
    std::vector<int> dropped;
    for (int k : {5, 9, 12}) {
        dropped.push_back(get_car(held[k]));
        set_car(held[k], NIL);
    }
    std::sort(dropped.rbegin(), dropped.rend());
    garbage();

    ASSERT_TRUE(heap_consistent());
    std::vector<int> expected = dropped;
    expected.insert(expected.end(), before.begin(), before.end());
    EXPECT_EQ(free_list(), expected);
    for (int cell : dropped) EXPECT_EQ(make_integer(0), cell);
    if (!before.empty()) {
        EXPECT_EQ(make_integer(0), before[0]);
    }
}

// The sweep takes the flags of eight cells at a time. Whatever the pattern
// of kept and dropped cells, in a collection of the new cells or of the
// whole heap, the dropped ones go on the free list highest first, on top of
// the free cells that were not used, and exactly the cells in use are left
// marked as having survived (the roots aside, which are always traced).
TEST_F(HeapTest, SweepFreesEveryPatternOfDroppedCellsHighestFirst) {
    bool (*const keeps[])(int) = {
        [](int k) { return k % 3 == 0; },
        [](int k) { return k % 8 != 5; },
        [](int k) { return k >= 50; },
        [](int k) { return (k / 8) % 2 == 0; },
        [](int) { return false; },
    };
    for (auto keep : keeps) {
        for (bool whole : {false, true}) {
            reset_heap();
            int kept = NIL;
            std::vector<int> dropped;
            for (int k = 0; k < 100; k++) {
                int c = make_integer(k);
                if (keep(k))
                    kept = make_pair(c, kept);
                else
                    dropped.push_back(c);
            }
            add_value(make_symbol("UNIT-SWEEP"), kept);
            std::vector<int> untouched = free_list();
            full_collection_due = whole;
            garbage();
            std::sort(dropped.rbegin(), dropped.rend());
            dropped.insert(dropped.end(), untouched.begin(), untouched.end());
            EXPECT_EQ(free_list(), dropped) << "whole heap: " << whole;
            for (int c = 0; c < nmem; c++) {
                bool in_use = cell_type(c) != CELL_FREE && c != nptr && c != vptr;
                ASSERT_EQ(survived[c], in_use) << "cell " << c;
            }
        }
    }
}

// Collections between statements mostly look at the cells made since the
// last one. Whatever they look at, the outcome must be that of a pass over the
// whole heap: every unreachable cell freed, highest first, on top of the
// free cells that were not used.
TEST_F(HeapTest, CellsMadeSinceTheLastCollectionAreFreedAsByAWholeHeapPass) {
    // A heap with no free cells left, and far more cells in use than the
    // statements below make.
    int fill = NIL;
    for (int k = 0; k < 4000 || fmem >= 0; k++) fill = make_pair(NIL, fill);
    int old_list = list_of({make_integer(1), make_integer(2), make_integer(3)});
    add_value(make_symbol("UNIT-FILL"), make_pair(fill, old_list));
    garbage();
    ASSERT_EQ(fmem, NIL);

    // From the never-used tail: some garbage, some reachable from a new binding.
    std::vector<int> dropped;
    for (int k = 0; k < 20; k++) {
        int a = make_integer(k);
        dropped.insert(dropped.end(), {a, make_pair(a, NIL)});
    }
    int young = make_pair(make_integer(7), old_list);
    add_value(make_symbol("UNIT-YOUNG"), young);
    garbage();
    std::sort(dropped.rbegin(), dropped.rend());
    ASSERT_EQ(free_list(), dropped);
    EXPECT_TRUE(heap_fully_collected());

    // From the free list (handed out highest first) and then the tail again.
    std::vector<int> dropped_again;
    for (int k = 0; k < 30; k++) {
        int cell = make_integer(k);
        if (k % 3 == 0)
            add_value(make_symbol("UNIT-KEPT"), cell);
        else
            dropped_again.push_back(cell);
    }
    std::vector<int> untouched = free_list();
    ASSERT_TRUE(untouched.empty());  // the tail was reached
    garbage();

    ASSERT_TRUE(heap_consistent());
    EXPECT_TRUE(heap_fully_collected());
    std::sort(dropped_again.rbegin(), dropped_again.rend());
    EXPECT_EQ(free_list(), dropped_again);
    EXPECT_NE(cell_type(young), CELL_FREE);
    for (int p = old_list; p >= 0; p = get_cdr(p)) EXPECT_TRUE(is_integer(get_car(p)));
}

// Rewriting a cell that was in use at the last collection can leave other
// such cells unreachable: the next collection must find them too.
TEST_F(HeapTest, CellsDroppedFromOlderCellsAreFreedByTheNextCollection) {
    int held = list_of({make_integer(10), make_integer(11), make_integer(12)});
    add_value(make_symbol("UNIT-HELD"), held);
    int promise = make_promise(list_of({make_symbol("QUOTE"), list_of({make_integer(5)})}), nptr, vptr);
    int expression = get_cdr(first_word(promise));
    add_value(make_symbol("UNIT-PROMISE"), promise);
    garbage();

    int dropped = get_car(get_cdr(held));
    set_cdr(held, NIL);
    int value = force(promise);
    EXPECT_EQ(first_word(get_car(value)), 5);
    garbage();

    EXPECT_TRUE(heap_fully_collected());
    EXPECT_EQ(cell_type(dropped), CELL_FREE);
    EXPECT_EQ(cell_type(expression), CELL_FREE);
    EXPECT_NE(cell_type(value), CELL_FREE);
    EXPECT_EQ(get_cdr(held), NIL);
}

TEST_F(HeapTest, SecondCollectionFreesNothing) {
    add_value(make_symbol("UNIT-LIVE"), list_of({make_integer(1), make_real(2.5)}));
    for (int k = 0; k < 100; k++) make_pair(make_integer(k), NIL);
    garbage();
    std::vector<int> first = free_list();
    garbage();
    EXPECT_EQ(free_list(), first);
    EXPECT_TRUE(heap_consistent());
}

TEST_F(HeapTest, CycleIsKeptWhileReachableAndFreedAfterwards) {
    // A closure whose environment holds the closure itself.
    int x = make_symbol("UNIT-SELF");
    int code = make_pair(NIL, make_integer(42));
    int closure = make_procedure(code, NIL);
    int frame = make_pair(closure, NIL);
    mem[closure].u.w.second = make_pair(list_of({list_of({x})}), list_of({frame}));
    add_value(x, closure);
    garbage();
    ASSERT_TRUE(heap_consistent());
    EXPECT_EQ(cell_type(closure), CELL_PROCEDURE);
    EXPECT_EQ(cell_type(frame), CELL_PAIR);
    EXPECT_EQ(get_car(frame), closure);
    EXPECT_EQ(first_word(get_cdr(code)), 42);

    reset_heap();
    EXPECT_EQ(cell_type(closure), CELL_FREE);
    EXPECT_EQ(cell_type(frame), CELL_FREE);
    EXPECT_TRUE(heap_consistent());
}

TEST_F(HeapTest, LongChainsOverflowTheMarkStackWithoutLosingCells) {
    // 200000 pairs along the cdrs, each car a further pair: far more pending
    // cars than the mark stack holds.
    constexpr int N = 200000;
    int list = NIL;
    for (int k = N - 1; k >= 0; k--) list = make_pair(make_pair(make_integer(k), NIL), list);
    int nested = make_integer(-1);
    for (int k = 0; k < N; k++) nested = make_pair(nested, NIL);
    add_value(make_symbol("UNIT-LONG"), list);
    add_value(make_symbol("UNIT-DEEP"), nested);
    std::size_t free_before = free_list().size();
    garbage();

    ASSERT_TRUE(heap_consistent());
    EXPECT_EQ(free_list().size(), free_before);
    int k = 0;
    for (int p = list; p >= 0; p = get_cdr(p), k++) {
        int element = get_car(p);
        ASSERT_TRUE(is_pair(element)) << k;
        ASSERT_TRUE(is_integer(get_car(element))) << k;
        ASSERT_EQ(first_word(get_car(element)), k);
    }
    EXPECT_EQ(k, N);
    for (k = 0; is_pair(nested); nested = get_car(nested)) k++;
    EXPECT_EQ(k, N);
    ASSERT_TRUE(is_integer(nested));
    EXPECT_EQ(first_word(nested), -1);
}

TEST_F(HeapTest, BuiltinKeepsItsSymbolButNotItsRow) {
    int name = make_symbol("CADDR");
    int unreachable = make_integer(7);
    // The row word is a plain number; make it look like a cell index.
    int builtin = make_libproc(name, unreachable);
    add_value(make_symbol("UNIT-BUILTIN"), builtin);
    garbage();
    EXPECT_EQ(cell_type(name), CELL_SYMBOL);
    EXPECT_EQ(make_symbol("CADDR"), name);
    EXPECT_EQ(cell_type(unreachable), CELL_FREE);
    EXPECT_TRUE(heap_consistent());
}

TEST_F(HeapTest, ExhaustionIsError9WithoutCollecting) {
    int code = run_protected([] {
        for (;;) make_integer(0);
    });
    EXPECT_EQ(code, ERR_TABLE_FULL);
    EXPECT_STREQ(error_parm, "mem");
    EXPECT_EQ(nmem, MEM_SIZE);
    EXPECT_EQ(fmem, NIL);
    garbage();
    EXPECT_TRUE(heap_consistent());
    EXPECT_EQ(free_list().size(), std::size_t(MEM_SIZE - 2));
}

// A cell counted without being written takes its share of the heap like any
// other: whatever the mix of the two kinds of request, the request after the
// last spare cell is error 9, every request shows in the count per
// statement, and the next collection makes the unwritten cells spare again,
// as the garbage they would have been. Rolling back to a mark undoes both.
TEST_F(HeapTest, UnwrittenCellsAreCountedAndExhaustTheHeapLikeWrittenOnes) {
    bool (*const unwritten[])(int) = {
        [](int) { return false; },
        [](int) { return true; },
        [](int k) { return k % 2 == 0; },
        [](int k) { return k % 7 != 3; },
    };
    for (auto kind : unwritten) {
        reset_heap();
        int spare = spare_cells;
        ASSERT_EQ(spare, MEM_SIZE - nmem + int(free_list().size()));
        heap_mark mark = heap_mark_now();
        for (int k = 0; k < 1000; k++) kind(k) ? take_unwritten_cell() : void(make_integer(k));
        EXPECT_EQ(cells_taken_since_collection(), 1000);
        heap_roll_back(mark);
        EXPECT_EQ(spare_cells, spare);
        EXPECT_EQ(cells_taken_since_collection(), 0);

        int fresh_tail = nmem, written = 0;
        for (int k = 0; k < spare; k++) {
            if (kind(k)) {
                take_unwritten_cell();
            } else {
                make_integer(k);
                written++;
            }
        }
        EXPECT_EQ(cells_taken_since_collection(), spare);
        EXPECT_EQ(run_protected([] { take_unwritten_cell(); }), ERR_TABLE_FULL);
        EXPECT_EQ(run_protected([] { make_integer(0); }), ERR_TABLE_FULL);
        EXPECT_STREQ(error_parm, "mem");
        // Only written cells come from the free list, then the tail.
        EXPECT_EQ(nmem - fresh_tail, std::max(0, written - (spare - (MEM_SIZE - fresh_tail))));
        garbage();
        ASSERT_TRUE(heap_consistent());
        EXPECT_EQ(spare_cells, spare);
        EXPECT_EQ(spare_cells, MEM_SIZE - nmem + int(free_list().size()));
    }
}

// Lookup tells names apart by their symbol cells, so the heap check holds
// that no name has two.
TEST_F(HeapTest, ConsistencyCheckFindsASecondSymbolCellOfAName) {
    int name = make_symbol("UNIT-ONCE");
    int other = make_pair(NIL, NIL);
    add_value(name, other);
    ASSERT_TRUE(heap_consistent());
    cell kept = mem[other];
    mem[other] = mem[name];
    EXPECT_FALSE(heap_consistent());
    mem[other] = kept;
    EXPECT_TRUE(heap_consistent());
}
