// The numeric built-ins. Every argument is converted to a double right after
// it is evaluated, every result goes back through make_number. Division by
// zero and overflow give infinities and NaNs; only the elementary functions
// raise error 5, for exactly the arguments the C library rejects.
#include <cmath>

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
    return make_boolean(result);
}

template <class Function>
int unary(const char *s, int args, int N, int V, Function function) {
    count_arguments(args, s, 1, 1);
    return make_number(function(number_argument(get_car(args), s, N, V)));
}
}  // namespace

int proc_add(const char *s, int a, int n, int v) {
    return fold(s, a, n, v, [](double acc, double x) { return acc + x; });
}
int proc_mul(const char *s, int a, int n, int v) {
    return fold(s, a, n, v, [](double acc, double x) { return acc * x; });
}
int proc_max(const char *s, int a, int n, int v) {
    return fold(s, a, n, v, [](double kept, double x) { return x > kept ? x : kept; });
}
int proc_min(const char *s, int a, int n, int v) {
    return fold(s, a, n, v, [](double kept, double x) { return x < kept ? x : kept; });
}

int proc_sub(const char *s, int args, int N, int V) {
    if (count_arguments(args, s, 1, 2) == 1) return make_number(-number_argument(get_car(args), s, N, V));
    operands v = two_arguments(args, s, N, V, false);
    return make_number(v.first - v.second);
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

int proc_eqn(const char *s, int a, int n, int v) {
    return compare(s, a, n, v, [](double x, double y) { return !(x == y); });
}
int proc_gtn(const char *s, int a, int n, int v) {
    return compare(s, a, n, v, [](double x, double y) { return x <= y; });
}
int proc_ltn(const char *s, int a, int n, int v) {
    return compare(s, a, n, v, [](double x, double y) { return x >= y; });
}
int proc_gen(const char *s, int a, int n, int v) {
    return compare(s, a, n, v, [](double x, double y) { return x < y; });
}
int proc_len(const char *s, int a, int n, int v) {
    return compare(s, a, n, v, [](double x, double y) { return x > y; });
}

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
