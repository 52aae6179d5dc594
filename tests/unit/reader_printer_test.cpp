// The S-expression reader over a source file, its character helpers, and the
// written form of values.
#include <string>

#include "builtins/table.h"
#include "eval/eval.h"
#include "eval/symbols.h"
#include "reader/sexpr.h"
#include "support.h"
#include "text/chars.h"
#include "text/cp1251.h"

using namespace unit;

namespace {
constexpr cp_text<48> no_closing = "неверное S-выражение - нет )";
constexpr cp_text<48> empty_datum = "пустое S-выражение";
constexpr cp_text<64> atom_too_long = "слишком длинный идентификатор в S-выражении";

int read_one(const std::string &text) {
    read_outcome r = read_text(text);
    EXPECT_EQ(r.error, 0) << text << ": " << error_parm;
    return r.data.empty() ? UNBOUND : r.data[0];
}

// The error text with which reading `text` fails, or "" when it does not fail with error 10.
std::string lexical_error(const std::string &text) {
    read_outcome r = read_text(text);
    return r.error == ERR_LEXICAL ? error_parm : "";
}

bool is_name(int v, const char *name) { return is_symbol(v) && std::string(symbol_name(v)) == name; }
}  // namespace

using ReaderTest = HeapTest;
using PrinterTest = HeapTest;

TEST_F(ReaderTest, ListsDottedTailsAndQuotes) {
    EXPECT_EQ(read_one("()"), NIL);
    EXPECT_EQ(printed(read_one("(())")), "(())");
    EXPECT_EQ(printed(read_one("(a  b\n  c)")), "(A B C)");

    int dotted = read_one("(a . b)");
    ASSERT_TRUE(is_pair(dotted));
    EXPECT_TRUE(is_name(get_car(dotted), "A") && is_name(get_cdr(dotted), "B"));
    EXPECT_EQ(printed(read_one("(a b . c)")), "(A B . C)");

    int dot_first = read_one("(. a)");  // a leading dot is the symbol "."
    EXPECT_TRUE(is_name(get_car(dot_first), "."));
    EXPECT_EQ(printed(read_one("(.5 ... a.b)")), "(.5 ... A.B)");

    int commas = read_one("(a,b)");
    EXPECT_EQ(printed(commas), "(A , B)");
    EXPECT_TRUE(is_name(get_car(get_cdr(commas)), ","));
    EXPECT_EQ(printed(read_one("(,,)")), "(, ,)");

    int quoted = read_one("'x");
    EXPECT_EQ(printed(quoted), "(QUOTE X)");
    EXPECT_EQ(symbol_name(get_car(quoted)), func[builtin_row("QUOTE")].name);
    EXPECT_EQ(printed(read_one("(a 'b)")), "(A (QUOTE B))");
    EXPECT_TRUE(is_name(read_one("a'b"), "A'B"));
}

TEST_F(ReaderTest, AtomsAreClassifiedAsNumbersBooleansOrSymbols) {
    read_outcome r = read_text("5 -5 1.5E+3 1E 1. #t #F #true # +5 5-3 -", 12);
    ASSERT_EQ(r.error, 0) << error_parm;
    const auto &d = r.data;
    EXPECT_TRUE(is_integer(d[0]) && first_word(d[0]) == 5);
    EXPECT_TRUE(is_real(d[1]) && mem[d[1]].u.real == -5.0);  // a sign makes a real
    EXPECT_TRUE(is_real(d[2]) && mem[d[2]].u.real == 1500.0);
    EXPECT_TRUE(is_real(d[3]) && mem[d[3]].u.real == 1.0);
    EXPECT_TRUE(is_real(d[4]) && mem[d[4]].u.real == 1.0);
    EXPECT_TRUE(is_boolean(d[5]) && get_boolean(d[5], "T") == 1);
    EXPECT_TRUE(is_boolean(d[6]) && get_boolean(d[6], "T") == 0);
    EXPECT_TRUE(is_name(d[7], "#TRUE"));
    EXPECT_TRUE(is_name(d[8], "#"));
    EXPECT_TRUE(is_name(d[9], "+5"));
    EXPECT_TRUE(is_name(d[10], "5-3"));
    EXPECT_TRUE(is_name(d[11], "-"));
}

TEST_F(ReaderTest, AllDigitAtomsBeyondThirtyTwoBitsAreReals) {
    read_outcome r = read_text("2147483647 2147483648 99999999999999999999 0004294967296", 4);
    ASSERT_EQ(r.error, 0) << error_parm;
    EXPECT_TRUE(is_integer(r.data[0]) && first_word(r.data[0]) == 2147483647);
    EXPECT_TRUE(is_real(r.data[1]) && mem[r.data[1]].u.real == 2147483648.0);
    EXPECT_TRUE(is_real(r.data[2]) && mem[r.data[2]].u.real == 1e20);
    EXPECT_TRUE(is_real(r.data[3]) && mem[r.data[3]].u.real == 4294967296.0);
}

TEST_F(ReaderTest, LexicalErrors) {
    EXPECT_EQ(lexical_error(""), std::string(empty_datum));
    EXPECT_EQ(lexical_error(")"), std::string(empty_datum));
    EXPECT_EQ(lexical_error("(a . )"), std::string(empty_datum));
    EXPECT_EQ(lexical_error("(a"), std::string(no_closing));
    EXPECT_EQ(lexical_error("(a ; b)"), std::string(no_closing));
    EXPECT_EQ(lexical_error("(a . b c)"), std::string(no_closing));
    EXPECT_EQ(lexical_error("((a)"), std::string(no_closing));

    std::string longest(99, 'q');
    EXPECT_TRUE(is_name(read_one(longest), std::string(99, 'Q').c_str()));
    EXPECT_EQ(lexical_error(longest + "q"), std::string(atom_too_long));
}

TEST_F(ReaderTest, CyrillicNamesAreUpperCased) {
    constexpr cp_text<16> tree = "ёлка", tree_upper = "ЁЛКА";
    EXPECT_TRUE(is_name(read_one(std::string(tree)), tree_upper));

    constexpr cp_text<128> lower = "абвгдежзийклмнопрстуфхцчшщъыьэюяё abc-z09ї";
    constexpr cp_text<128> upper_case = "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯЁ ABC-Z09ї";
    std::string text = lower.text;
    upper(text.data());
    EXPECT_EQ(text, std::string(upper_case));

    for (int ch : {int('A'), int('z'), 0xC0, 0xDF, 0xE0, 0xFF, 0xA8, 0xB8}) EXPECT_TRUE(is_alpha(ch) && is_alnum(ch)) << ch;
    for (int ch : {int('0'), int('_'), int('-'), 0xBF, 0xA7, 0x80, -1}) EXPECT_FALSE(is_alpha(ch)) << ch;
    EXPECT_TRUE(is_alnum('7'));
    EXPECT_FALSE(is_alnum(-1));
}

TEST(NumberSyntax, IntegerAndRealTests) {
    for (const char *s : {"0", "123", "0042"}) EXPECT_TRUE(integer_number(s)) << s;
    for (const char *s : {"-5", "1.0", "12A", "1E5", "+1"}) EXPECT_FALSE(integer_number(s)) << s;
    for (const char *s : {"5", "-5", "1.", "1.5", "1.5E+3", "1e5", "1E", "1E-", "1.E5", "-0.25e-2"})
        EXPECT_TRUE(real_number(s)) << s;
    for (const char *s : {"-", "+5", ".5", "-.5", "1.2.3", "1E5.3", "1E5E3", "5-3", "1E+-3", "1A"})
        EXPECT_FALSE(real_number(s)) << s;
}

TEST_F(PrinterTest, AtomsAndNumbers) {
    EXPECT_EQ(printed(NIL), "()");
    EXPECT_EQ(printed(make_integer(-5)), "-5");
    EXPECT_EQ(printed(make_real(0.5)), "0.5");
    EXPECT_EQ(printed(make_real(3.0)), "3");
    EXPECT_EQ(printed(make_real(1234567.0)), "1.23457e+06");
    EXPECT_EQ(printed(make_real(123456.0)), "123456");
    EXPECT_EQ(printed(make_real(0.00001)), "1e-05");
    EXPECT_EQ(printed(make_real(0.0001)), "0.0001");
    EXPECT_EQ(printed(make_boolean(1)), "#T");
    EXPECT_EQ(printed(make_boolean(0)), "#F");
    EXPECT_EQ(printed(make_boolean(5)), "#T");
    int gone = make_integer(9);
    garbage();
    ASSERT_EQ(cell_type(gone), CELL_FREE);
    EXPECT_EQ(printed(gone), "");
}

TEST_F(PrinterTest, ListsAndDottedTails) {
    int a = make_symbol("A"), b = make_symbol("B"), c = make_symbol("C");
    EXPECT_EQ(printed(list_of({make_integer(1)})), "(1)");
    EXPECT_EQ(printed(list_of({NIL})), "(())");
    EXPECT_EQ(printed(make_pair(a, b)), "(A . B)");
    EXPECT_EQ(printed(make_pair(a, make_pair(b, c))), "(A B . C)");
    EXPECT_EQ(printed(make_pair(make_pair(a, b), list_of({c}))), "((A . B) C)");
    EXPECT_EQ(printed(list_of({make_symbol("QUOTE"), a})), "(QUOTE A)");
}

TEST_F(PrinterTest, ProceduresPromisesAndBuiltins) {
    int x = make_symbol("X"), args = make_symbol("ARGS");
    int body = list_of({make_symbol("+"), x, make_integer(1)});
    int env = make_pair(NIL, NIL);
    EXPECT_EQ(printed(make_procedure(make_pair(list_of({x}), body), env)), "[(LAMBDA (X) (+ X 1))]");
    EXPECT_EQ(printed(make_procedure(make_pair(args, args), env)), "[(LAMBDA ARGS ARGS)]");

    int promise = make_promise(list_of({make_symbol("+"), make_integer(1), make_integer(2)}), NIL, NIL);
    EXPECT_EQ(printed(promise), "[(+ 1 2)]");
    int tail = make_promise(list_of({make_symbol("F"), make_integer(2)}), NIL, NIL);
    EXPECT_EQ(printed(make_pair(make_integer(1), tail)), "(1 . [(F 2)])");
    // A forced promise holds (FORCED_MARK . value) and is written as its value.
    int code = first_word(promise);
    mem[code].u.w.first = FORCED_MARK;
    mem[code].u.w.second = make_integer(3);
    EXPECT_EQ(printed(promise), "3");
    EXPECT_EQ(printed(make_pair(make_integer(0), promise)), "(0 . 3)");

    EXPECT_EQ(printed(make_libproc(make_symbol("CAR"), CADR_ROW)), "@CAR");
    EXPECT_EQ(printed(assoc(NIL, NIL, make_symbol("CADDR"))), "@CADDR");
    EXPECT_EQ(printed(assoc(NIL, NIL, make_symbol("NUMBER?"))), "@NUMBER?");
}
