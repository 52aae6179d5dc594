// The arithmetic built-ins: two integer operands are computed in 64-bit
// integers, and must give exactly the cells the same operation in doubles
// gives through make_number.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "eval/eval.h"
#include "eval/symbols.h"
#include "support.h"

using namespace unit;

namespace {
struct operation {
    const char *name;
    double (*in_doubles)(double, double);
};
// Each comparison as it fails in doubles: with a NaN some of them hold.
const operation operations[] = {
    {"+", [](double x, double y) { return x + y; }},
    {"-", [](double x, double y) { return x - y; }},
    {"*", [](double x, double y) { return x * y; }},
    {"=", [](double x, double y) { return double(!!(x == y)); }},
    {"<", [](double x, double y) { return double(!(x >= y)); }},
    {">", [](double x, double y) { return double(!(x <= y)); }},
    {"<=", [](double x, double y) { return double(!(x > y)); }},
    {">=", [](double x, double y) { return double(!(x < y)); }},
};

bool same_cell_value(int a, int b) {
    if (cell_type(a) != cell_type(b)) return false;
    if (is_real(a)) return std::memcmp(&mem[a].u.real, &mem[b].u.real, sizeof(double)) == 0;
    return first_word(a) == first_word(b);
}
}  // namespace

TEST_F(HeapTest, TwoNumberOperandsGiveTheCellOfTheOperationInDoubles) {
    constexpr int32_t big = std::numeric_limits<int32_t>::max(), least = std::numeric_limits<int32_t>::min();
    const double values[] = {0, 1, -1, 7, 46341, -46341, 65536, 123456789, big, big - 1, least, least + 1,
                             0.5, -2.5, 1e300, std::nan("")};
    for (const operation &op : operations) {
        bool comparison = std::strchr("=<>", op.name[0]) != nullptr;
        for (double a : values) {
            for (double b : values) {
                reset_heap();
                int form = list_of({make_symbol(op.name), make_number(a), make_number(b)});
                int got = eval(form, nptr, vptr);
                double x = get_number(first_word(second_word(form)), "T");
                double y = get_number(first_word(second_word(second_word(form))), "T");
                int expected = comparison ? make_boolean(op.in_doubles(x, y) != 0) : make_number(op.in_doubles(x, y));
                EXPECT_TRUE(same_cell_value(got, expected)) << a << ' ' << op.name << ' ' << b;
            }
        }
    }
}
