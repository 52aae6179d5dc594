// Interning, frame and environment lookup, the fallback to built-in names,
// and the equality used to match names.
#include <climits>
#include <cmath>
#include <cstring>
#include <string>

#include "builtins/table.h"
#include "eval/eval.h"
#include "eval/symbols.h"
#include "support.h"

using namespace unit;

namespace {
// True when the canonical string of symbol s is an entry of the symbol table.
bool in_symbol_table(int s) {
    for (int k = 0; k < nsymbol; k++)
        if (symbol[k] == symbol_name(s)) return true;
    return false;
}
}  // namespace

using SymbolTest = HeapTest;

TEST_F(SymbolTest, InterningGivesOneCellPerNameWhileItIsReachable) {
    int count = nsymbol;
    std::string name = "UNIT-NEW-" + std::to_string(count);  // never interned before
    std::string lower = "unit-new-" + std::to_string(count);
    int s = make_symbol(name.c_str());
    EXPECT_EQ(nsymbol, count + 1);
    EXPECT_EQ(symbol[nsymbol - 1], name);
    EXPECT_EQ(make_symbol(name.c_str()), s);
    EXPECT_NE(make_symbol(lower.c_str()), s);  // names are case-sensitive here
    add_value(s, make_integer(1));
    garbage();
    EXPECT_EQ(make_symbol(name.c_str()), s);
    EXPECT_EQ(nsymbol, count + 2);
}

TEST_F(SymbolTest, TableRowNamesUseTheRowStringButCarDoesNot) {
    int count = nsymbol;
    int quote = make_symbol("QUOTE");
    int plus = make_symbol("+");
    EXPECT_EQ(nsymbol, count);
    EXPECT_EQ(symbol_name(quote), func[builtin_row("QUOTE")].name);
    EXPECT_EQ(symbol_name(plus), func[builtin_row("+")].name);
    // Only rows 1 to 56 have canonical strings of their own; CR (row 0) and
    // the car/cdr names are interned like any other name.
    int cr = make_symbol("CR");
    int car = make_symbol("CAR");
    EXPECT_TRUE(in_symbol_table(cr));
    EXPECT_NE(symbol_name(cr), func[CADR_ROW].name);
    EXPECT_TRUE(in_symbol_table(car));
    EXPECT_FALSE(in_symbol_table(quote));
}

TEST_F(SymbolTest, DroppedSymbolCellIsMadeAgainKeepingItsName) {
    int s = make_symbol("UNIT-DROPPED");
    const char *name = symbol_name(s);
    int count = nsymbol;
    garbage();
    ASSERT_EQ(cell_type(s), CELL_FREE);
    int head = fmem;
    int again = make_symbol("UNIT-DROPPED");
    EXPECT_EQ(again, head);  // a fresh cell from the allocator
    EXPECT_EQ(cell_type(again), CELL_SYMBOL);
    EXPECT_EQ(symbol_name(again), name);
    EXPECT_EQ(nsymbol, count);
}

TEST_F(SymbolTest, FindSymbOnEveryFrameShape) {
    int a = make_symbol("A"), b = make_symbol("B"), r = make_symbol("R"), z = make_symbol("Z");
    int one = make_integer(1), two = make_integer(2), three = make_integer(3);
    int values = list_of({one, two, three});

    int proper = list_of({a, b});
    EXPECT_EQ(find_symb(proper, values, b), two);
    EXPECT_EQ(find_symb(proper, values, z), UNBOUND);

    int dotted = make_pair(a, r);  // (A . R)
    EXPECT_EQ(find_symb(dotted, values, a), one);
    EXPECT_EQ(find_symb(dotted, values, r), get_cdr(values));
    EXPECT_EQ(find_symb(dotted, list_of({one}), r), NIL);

    EXPECT_EQ(find_symb(r, values, r), values);
    EXPECT_EQ(find_symb(r, NIL, r), NIL);
    EXPECT_EQ(find_symb(r, values, a), UNBOUND);
    EXPECT_EQ(find_symb(NIL, values, a), UNBOUND);

    // A value frame that runs out before the name is reached.
    EXPECT_EQ(run_protected([&] { find_symb(proper, list_of({one}), b); }), ERR_BAD_ARG);
    EXPECT_STREQ(error_parm, "LETREC");
    EXPECT_EQ(run_protected([&] { find_symb(proper, NIL, a); }), ERR_BAD_ARG);
    EXPECT_STREQ(error_parm, "LETREC");
    EXPECT_EQ(run_protected([&] { find_symb(one, values, a); }), ERR_BAD_ARG);
    EXPECT_STREQ(error_parm, "CAR");
}

TEST_F(SymbolTest, AssocSearchesFramesThenGlobalsThenBuiltins) {
    int x = make_symbol("X");
    int inner = make_integer(1), outer = make_integer(2);
    int names = list_of({list_of({x}), list_of({x})});
    int values = list_of({list_of({inner}), list_of({outer})});
    note_local_names(get_car(names));
    EXPECT_EQ(assoc(names, values, x), inner);
    EXPECT_EQ(assoc(get_cdr(names), get_cdr(values), x), outer);

    int caddr = make_symbol("CADDR");
    int v = assoc(names, values, caddr);
    ASSERT_TRUE(is_libproc(v));
    EXPECT_EQ(first_word(v), caddr);
    EXPECT_EQ(second_word(v), CADR_ROW);
    EXPECT_NE(assoc(NIL, NIL, caddr), v);  // every lookup makes a new cell

    int plus = make_symbol("+");
    v = assoc(NIL, NIL, plus);
    ASSERT_TRUE(is_libproc(v));
    EXPECT_STREQ(func[second_word(v)].name, "+");

    // A global definition shadows the built-in of the same name.
    int car = make_symbol("CAR");
    int mine = make_integer(5);
    add_value(car, mine);
    EXPECT_EQ(assoc(nptr, vptr, car), mine);

    for (const char *unknown : {"UNIT-NOWHERE", "CR"}) {
        EXPECT_EQ(run_protected([&] { assoc(nptr, vptr, make_symbol(unknown)); }), ERR_UNKNOWN);
        EXPECT_STREQ(error_parm, unknown);
    }
}

// A form keeps the built-in row its operator name gave only while no name
// has gained a binding it never had. Each case evaluates a form of its own
// operator, lets something happen, and evaluates the form again. Past the
// last base of the kept rows, every row kept in the heap is erased.
TEST_F(SymbolTest, KeptOperatorRowsLastUntilSomeNameGainsABinding) {
    struct {
        const char *op;
        void (*event)(int op_symbol);
        bool rebinds_op;
    } cases[] = {
        {"*", [](int) { add_value(make_symbol("UNIT-FRESH-GLOBAL"), make_integer(0)); }, false},
        {"MAX", [](int op) { add_value(op, make_libproc(make_symbol("-"), builtin_row("-"))); }, true},
        {"MIN", [](int op) { note_local_names(list_of({op})); }, false},
        {"+",
         [](int) {
             symbols_detail::operator_rows_base = INT_MAX - symbols_detail::OPERATOR_ROWS;
             add_value(make_symbol("UNIT-FRESH-AGAIN"), make_integer(0));
         },
         false},
        {"REMAINDER", [](int) { note_local_names(make_integer(1)); }, false},  // a malformed parameter list
    };
    for (auto c : cases) {
        int op = make_symbol(c.op);
        int form = list_of({op, make_integer(7), make_integer(3)});
        add_value(make_symbol("UNIT-FORM"), form);
        int first = NIL, again = NIL;
        ASSERT_EQ(run_protected([&] { first = eval(form, nptr, vptr); }), 0) << c.op << error_parm;
        EXPECT_EQ(kept_operator_row(form), builtin_row(c.op)) << c.op;
        c.event(op);
        EXPECT_EQ(kept_operator_row(form), -1) << c.op;
        EXPECT_EQ(mem[form].aux == 0, symbols_detail::operator_rows_base == symbols_detail::OPERATOR_ROWS) << c.op;
        ASSERT_EQ(run_protected([&] { again = eval(form, nptr, vptr); }), 0) << c.op << error_parm;
        EXPECT_EQ(get_number(again, c.op), c.rebinds_op ? 4 : get_number(first, c.op)) << c.op;
        nstack_calls = 0;
    }
    symbols_detail::malformed_frames = false;  // for the tests that follow
}

TEST_F(SymbolTest, IsDefinedLooksAtTheGlobalFrameAndBuiltinNames) {
    int mine = make_symbol("UNIT-DEFINED");
    EXPECT_FALSE(is_defined(mine));
    add_value(mine, make_integer(0));
    EXPECT_TRUE(is_defined(mine));
    EXPECT_TRUE(is_defined(make_symbol("CADR")));
    EXPECT_TRUE(is_defined(make_symbol("IF")));
    EXPECT_FALSE(is_defined(make_symbol("CR")));
    EXPECT_FALSE(is_defined(make_symbol("CXR")));
}

TEST_F(SymbolTest, EqComparesNumbersByValueAndOtherCellsByIdentity) {
    EXPECT_TRUE(eq(make_integer(2), make_real(2.0), "EQ"));
    EXPECT_FALSE(eq(make_integer(2), make_real(2.5), "EQ"));
    int nan = make_real(std::nan(""));
    EXPECT_FALSE(eq(nan, nan, "EQ"));
    EXPECT_TRUE(eq(make_boolean(1), make_boolean(1), "EQ"));
    EXPECT_FALSE(eq(make_boolean(1), make_boolean(0), "EQ"));
    EXPECT_FALSE(eq(make_boolean(1), make_integer(1), "EQ"));
    EXPECT_TRUE(eq(make_symbol("A"), make_symbol("A"), "EQ"));
    int list = list_of({make_integer(1)});
    EXPECT_TRUE(eq(list, list, "EQ"));
    EXPECT_FALSE(eq(list, list_of({make_integer(1)}), "EQ"));
    EXPECT_TRUE(eq(NIL, NIL, "EQ"));
    int caddr = make_symbol("CADDR");
    EXPECT_FALSE(eq(assoc(NIL, NIL, caddr), assoc(NIL, NIL, caddr), "EQ"));
}
