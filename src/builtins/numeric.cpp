// The numeric built-ins. Every argument is converted to a double right after
// it is evaluated, every result goes back through make_number. Division by
// zero and overflow give infinities and NaNs; only the elementary functions
// raise error 5, for exactly the arguments the C library rejects.
//
// Two integer operands, the common case of + - * and the comparisons, are
// computed in 64-bit integers instead. The result is the cell make_number
// would give: a sum, difference or product of two 32-bit integers is exact
// in 64 bits, and where it leaves the 32-bit range its conversion to double
// rounds as the double operation would.
#include <cmath>
#include <cstdint>

#include "builtins/builtins.h"
#include "cells/cell.h"
#include "eval/eval.h"

namespace {
double number_argument(int expression, const char *s, int N, int V) { return get_number(eval(expression, N, V), s); }

int count_arguments(int args, const char *s, int least, int most) {
    int n = narg(args, s);
    check_narg(n >= least && n <= most, s);
    return n;
}
constexpr int UNLIMITED = 1 << 30;

[[noreturn]] void domain_error(const char *function) { raise_error(ERR_MATH, function); }

// The values of the first and the second argument of a two-argument call,
// evaluated in the given order.
struct operands {
    double first, second;
};
operands two_arguments(int args, const char *s, int N, int V, bool second_first) {
    operands v;
    int first = get_car(args), second = get_car(get_cdr(args));
    if (second_first) {
        v.second = number_argument(second, s, N, V);
        v.first = number_argument(first, s, N, V);
    } else {
        v.first = number_argument(first, s, N, V);
        v.second = number_argument(second, s, N, V);
    }
    return v;
}

// The operand cells of a call with exactly two arguments, evaluated and
// checked first to second, as the general paths do.
struct operand_cells {
    int first, second;
};
inline int checked_operand(int expression, const char *s, int N, int V) {
    int v = eval(expression, N, V);
    if (!is_integer(v)) get_number(v, s);
    return v;
}
[[gnu::always_inline]] inline operand_cells two_operands(int args, const char *s, int N, int V) {
    int first = checked_operand(first_word(args), s, N, V);
    return {first, checked_operand(first_word(second_word(args)), s, N, V)};
}
inline bool both_integers(operand_cells v) { return is_integer(v.first) && is_integer(v.second); }
inline int64_t integer_value(int i) { return first_word(i); }

inline int make_whole_number(int64_t x) {
    return x >= INT32_MIN && x <= INT32_MAX ? make_integer(int32_t(x)) : make_real(double(x));
}

// An arithmetic operation: `whole` on two integers, `real` otherwise.
template <class Whole, class Real>
int arithmetic2(const char *s, int args, int N, int V, Whole whole, Real real) {
    operand_cells v = two_operands(args, s, N, V);
    if (both_integers(v)) return make_whole_number(whole(integer_value(v.first), integer_value(v.second)));
    return make_number(real(get_number(v.first, s), get_number(v.second, s)));
}

template <class Fails>
[[gnu::always_inline]] inline int compare2(const char *s, int args, int N, int V, Fails fails) {
    operand_cells v = two_operands(args, s, N, V);
    if (both_integers(v)) return !fails(integer_value(v.first), integer_value(v.second));
    return !fails(get_number(v.first, s), get_number(v.second, s));
}

template <class Step>
int fold(const char *s, int args, int N, int V, Step step) {
    count_arguments(args, s, 1, UNLIMITED);
    double acc = number_argument(get_car(args), s, N, V);
    for (int rest = get_cdr(args); rest >= 0; rest = get_cdr(rest)) acc = step(acc, number_argument(get_car(rest), s, N, V));
    return make_number(acc);
}

// Every later argument is compared with the first; all of them are evaluated
// and converted even after a comparison has failed.
template <class Fails>
int compare(const char *s, int args, int N, int V, Fails fails) {
    count_arguments(args, s, 2, UNLIMITED);
    double a = number_argument(get_car(args), s, N, V);
    bool result = true;
    for (int rest = get_cdr(args); rest >= 0; rest = get_cdr(rest))
        if (fails(a, number_argument(get_car(rest), s, N, V))) result = false;
    return result;
}

template <class Function>
int unary(const char *s, int args, int N, int V, Function function) {
    count_arguments(args, s, 1, 1);
    return make_number(function(number_argument(get_car(args), s, N, V)));
}


constexpr auto add = [](auto x, auto y) { return x + y; };
constexpr auto subtract = [](auto x, auto y) { return x - y; };
constexpr auto multiply = [](auto x, auto y) { return x * y; };
}  // namespace

int proc_add(const char *s, int a, int n, int v) {
    if (has_length(a, 2)) return arithmetic2(s, a, n, v, add, add);
    return fold(s, a, n, v, add);
}
int proc_mul(const char *s, int a, int n, int v) {
    if (has_length(a, 2)) return arithmetic2(s, a, n, v, multiply, multiply);
    return fold(s, a, n, v, multiply);
}
int proc_max(const char *s, int a, int n, int v) {
    return fold(s, a, n, v, [](double kept, double x) { return x > kept ? x : kept; });
}
int proc_min(const char *s, int a, int n, int v) {
    return fold(s, a, n, v, [](double kept, double x) { return x < kept ? x : kept; });
}

int proc_sub(const char *s, int args, int N, int V) {
    if (count_arguments(args, s, 1, 2) == 1) return make_number(-number_argument(get_car(args), s, N, V));
    return arithmetic2(s, args, N, V, subtract, subtract);
}

int proc_div(const char *s, int args, int N, int V) {
    if (count_arguments(args, s, 1, 2) == 1) return make_number(1.0 / number_argument(get_car(args), s, N, V));
    operands v = two_arguments(args, s, N, V, false);
    return make_number(v.first / v.second);
}

int proc_quotient(const char *s, int args, int N, int V) {
    count_arguments(args, s, 2, 2);
    operands v = two_arguments(args, s, N, V, false);
    return make_number((v.first - std::fmod(v.first, v.second)) / v.second);
}

int proc_remainder(const char *s, int args, int N, int V) {
    count_arguments(args, s, 2, 2);
    operands v = two_arguments(args, s, N, V, true);
    return make_number(std::fmod(v.first, v.second));
}

int proc_expt(const char *s, int args, int N, int V) {
    count_arguments(args, s, 2, 2);
    operands v = two_arguments(args, s, N, V, true);
    double base = v.first, exponent = v.second;
    bool nan_operand = std::isnan(base) || std::isnan(exponent);
    if (nan_operand && exponent != 0 && base != 1) domain_error("pow");
    if (std::isfinite(base) && base < 0 && std::isfinite(exponent) && exponent != std::trunc(exponent))
        domain_error("pow");
    return make_number(std::pow(base, exponent));
}

namespace {
// Whether a comparison holds. Each names when it fails, as written for
// doubles: a NaN operand makes some of them hold.
template <class Fails>
[[gnu::always_inline]] inline int comparison(const char *s, int args, int N, int V, Fails fails) {
    if (has_length(args, 2)) return compare2(s, args, N, V, fails);
    return compare(s, args, N, V, fails);
}

constexpr auto unequal = [](auto x, auto y) { return !(x == y); };
constexpr auto not_greater = [](auto x, auto y) { return x <= y; };
constexpr auto not_less = [](auto x, auto y) { return x >= y; };
constexpr auto less = [](auto x, auto y) { return x < y; };
constexpr auto greater = [](auto x, auto y) { return x > y; };
}  // namespace

int truth_eqn(const char *s, int a, int n, int v) { return comparison(s, a, n, v, unequal); }
int truth_gtn(const char *s, int a, int n, int v) { return comparison(s, a, n, v, not_greater); }
int truth_ltn(const char *s, int a, int n, int v) { return comparison(s, a, n, v, not_less); }
int truth_gen(const char *s, int a, int n, int v) { return comparison(s, a, n, v, less); }
int truth_len(const char *s, int a, int n, int v) { return comparison(s, a, n, v, greater); }

int proc_abs(const char *s, int a, int n, int v) { return unary(s, a, n, v, [](double x) { return std::fabs(x); }); }
int proc_floor(const char *s, int a, int n, int v) { return unary(s, a, n, v, [](double x) { return std::floor(x); }); }
int proc_ceiling(const char *s, int a, int n, int v) { return unary(s, a, n, v, [](double x) { return std::ceil(x); }); }

int proc_sqrt(const char *s, int a, int n, int v) {
    return unary(s, a, n, v, [](double x) {
        if (std::isnan(x) || x < 0) domain_error("sqrt");
        return std::sqrt(x);
    });
}

int proc_log(const char *s, int a, int n, int v) {
    return unary(s, a, n, v, [](double x) {
        if (x <= 0) domain_error("log");
        return std::log(x);
    });
}

int proc_exp(const char *s, int a, int n, int v) {
    return unary(s, a, n, v, [](double x) {
        double r = std::exp(x);
        if (!std::isfinite(x) || std::isinf(r)) domain_error("exp");
        return r;
    });
}

int proc_sin(const char *s, int a, int n, int v) {
    return unary(s, a, n, v, [](double x) {
        if (!std::isfinite(x)) domain_error("sin");
        return std::sin(x);
    });
}

int proc_cos(const char *s, int a, int n, int v) {
    return unary(s, a, n, v, [](double x) {
        if (!std::isfinite(x)) domain_error("cos");
        return std::cos(x);
    });
}

int proc_tan(const char *s, int a, int n, int v) {
    return unary(s, a, n, v, [](double x) {
        if (std::isinf(x)) domain_error("tan");
        return std::tan(x);
    });
}

int proc_acos(const char *s, int a, int n, int v) {
    return unary(s, a, n, v, [](double x) {
        if (std::fabs(x) > 1) domain_error("acos");
        return std::acos(x);
    });
}

int proc_asin(const char *s, int a, int n, int v) {
    return unary(s, a, n, v, [](double x) {
        if (std::fabs(x) > 1) domain_error("asin");
        return std::asin(x);
    });
}

int proc_atan(const char *s, int args, int N, int V) {
    if (count_arguments(args, s, 1, 2) == 1) return make_number(std::atan(number_argument(get_car(args), s, N, V)));
    operands v = two_arguments(args, s, N, V, false);
    return make_number(std::atan2(v.first, v.second));
}
