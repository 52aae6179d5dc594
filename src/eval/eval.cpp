// The application of forms and its helpers. Owns the two switches lazy_mode and curry_mode.
//
// Every compound expression holds one call-trace entry while it is being
// evaluated: pushed before its operator is evaluated, popped on every normal
// return, and left in place by an error so the report can show it.
#include "eval/eval.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "builtins/table.h"
#include "cells/cell.h"
#include "errors/guards.h"
#include "eval/control_forms.h"
#include "eval/symbols.h"
#include "text/cp1251.h"

int lazy_mode;
int curry_mode;

namespace {
constexpr cp_text<16> call_trace_name = "стек вызовов";

inline uint64_t word_of(int low, int high) { return uint32_t(low) | uint64_t(uint32_t(high)) << 32; }
static_assert(offsetof(call_entry, args) == 4 && offsetof(call_entry, entered) == 12 &&
              offsetof(call_entry, values) == 20);

// The entry is written as three whole words.
int push_call(int e, int names, int values) {
    if (nstack_calls >= CALL_TRACE_SIZE) [[unlikely]] raise_error(ERR_TABLE_FULL, call_trace_name);
    int entry = nstack_calls++;
    char *fields = reinterpret_cast<char *>(&stack_calls[entry]);
    uint64_t form_and_entered = word_of(e, 0), environment = word_of(names, values);
    memcpy(fields, &mem[e].u.w, 8);
    memcpy(fields + offsetof(call_entry, form), &form_and_entered, 8);
    memcpy(fields + offsetof(call_entry, names), &environment, 8);
    return entry;
}

inline void pop_call(int entry) { nstack_calls = entry; }

enum class match { exact, fewer, more };

// Walks the parameters against n arguments; leaves in `rest_params` the
// parameters not supplied and in `rest_args` the arguments not consumed.
match match_parameters(int params, int args, int n, int &rest_params, int &rest_args) {
    int u = params, k = n, r = args;
    for (;;) {
        if (is_symbol(u)) break;
        if (k == 0) {
            if (u >= 0) {
                rest_params = u;
                return match::fewer;
            }
            break;
        }
        if (!is_pair(u)) {
            rest_args = r;
            return match::more;
        }
        u = mem[u].u.w.second;
        r = mem[r].u.w.second;
        k--;
    }
    return match::exact;
}

// The values of a proper list of n argument expressions, evaluated last to
// first like eval_list, each value's pair taken right after it: up to three
// in place, more by eval_list's recursion. No array here: in the playground
// that would put every application's frame on the measured stack.
int evaluate_arguments(int args, int n, int names, int values, const char *name) {
    if (lazy_mode) return lazy_list(args, names, values, name);
    if (n == 0) return NIL;
    if (n > 3) return eval_list(args, names, values, name);
    int first = mem[args].u.w.first, rest = mem[args].u.w.second;
    int list = NIL;
    if (n == 3) {
        int second = mem[rest].u.w.first, third = mem[mem[rest].u.w.second].u.w.first;
        list = make_pair(eval(third, names, values), list);
        list = make_pair(eval(second, names, values), list);
    } else if (n == 2) {
        list = make_pair(eval(mem[rest].u.w.first, names, values), list);
    }
    return make_pair(eval(first, names, values), list);
}

// The number of arguments when they are a proper list of as many as the
// parameters take (match_parameters would find an exact match), else -1:
// apply_other then sorts the application out, its errors included. One walk
// of both lists.
int exact_argument_count(int params, int args) {
    int n = 0, u = params;
    bool rest = false;
    for (; args >= 0; args = mem[args].u.w.second, n++) {
        if (mem[args].type != CELL_PAIR) return -1;
        if (rest) continue;
        if (u >= 0 && mem[u].type == CELL_SYMBOL) {
            rest = true;
            continue;
        }
        if (u < 0 || mem[u].type != CELL_PAIR) return -1;
        u = mem[u].u.w.second;
    }
    return rest || u < 0 || mem[u].type == CELL_SYMBOL ? n : -1;
}

const char *operation_name(int form) {
    int op = mem[form].u.w.first;
    return is_symbol(op) ? symbol_name(op) : "LAMBDA";
}

int call_builtin(int op, int args, int names, int values) {
    const func_entry &row = func[mem[op].u.w.second];
    return row.proc(symbol_name(mem[op].u.w.first), args, names, values);
}

// The operator of form e, for the call-trace entry: its value as eval
// gives it, or, for a name that stands for a built-in applied here (not the
// value under currying with no arguments), the entry's mark for that
// built-in. That value would be unreachable from the moment it is applied,
// so its cell is counted but not made; `row` is then its row, else -1.
[[gnu::always_inline]] inline int evaluate_operator(int e, int N, int V, int &row) {
    int head = mem[e].u.w.first;
    bool applied_here = mem[e].u.w.second >= 0 || !curry_mode;
    row = kept_operator_row(e);
    if (row >= 0 && applied_here) {
        take_unwritten_cell();
        return unwritten_builtin(row);
    }
    row = -1;
    if (head < 0 || mem[head].type != CELL_SYMBOL) return eval(head, N, V);
    int value = bound_value(N, V, head);
    if (value != UNBOUND) return check_force(value);
    int builtin = builtin_row_of(head);
    keep_operator_row(e, head, builtin);
    if (!applied_here) return make_libproc(head, builtin);
    take_unwritten_cell();
    row = builtin;
    return unwritten_builtin(row);
}

// Every application but the two evaluate_form continues in: a built-in
// under currying, a promise, a procedure given too few or too many
// arguments, or no procedure at all. Pops the form's entry itself.
[[gnu::noinline]] int apply_other(int entry, int e, int op, int N, int V) {
    int f = e;
    for (;;) {
        if (!is_procedure(op)) {
            if (curry_mode) {
                pop_call(entry);
                return f;
            }
            stack_calls[entry].op = op;
            raise_error(ERR_NOT_PROC, cell_typeid(op));
        }
        int A = mem[f].u.w.second;
        if (mem[op].type == CELL_LIBPROC) {
            if (curry_mode && A < 0) {
                pop_call(entry);
                return op;
            }
            int result = call_builtin(op, A, N, V);
            pop_call(entry);
            return check_force(result);
        }

        int code = mem[op].u.w.first, env = mem[op].u.w.second;
        int P = get_car(code), B = get_cdr(code), CN = get_car(env), CV = get_cdr(env);
        const char *s = operation_name(f);
        int n = narg(A, s);
        if (P == FORCED_MARK && n == 0) {
            pop_call(entry);
            return check_force(B);
        }
        int rest_params = NIL, rest_args = NIL;
        switch (match_parameters(P, A, n, rest_params, rest_args)) {
        case match::exact: {
            int args = evaluate_arguments(A, n, N, V, s);
            stack_calls[entry].entered = 1;
            stack_calls[entry].args = args;
            int frame_names = make_pair(P, CN);
            int result = eval(B, frame_names, make_pair(args, CV));
            pop_call(entry);
            return check_force(result);
        }
        case match::fewer: {
            if (!curry_mode) raise_error(ERR_ARG_COUNT, s);
            if (n == 0) {
                pop_call(entry);
                return op;
            }
            int args = evaluate_arguments(A, n, N, V, s);
            pop_call(entry);
            int frame_names = make_pair(P, CN);
            int environment = make_pair(frame_names, make_pair(args, CV));
            return make_procedure(make_pair(rest_params, B), environment);
        }
        case match::more: {
            if (!curry_mode) raise_error(ERR_ARG_COUNT, s);
            int args = evaluate_arguments(A, n, N, V, s);
            int frame_names = make_pair(P, CN);
            int r = check_force(eval(B, frame_names, make_pair(args, CV)));
            // The surplus argument expressions are applied to the result as
            // written, so they are evaluated a second time.
            f = make_pair(r, rest_args);
            op = r;
            break;
        }
        }
    }
}
}  // namespace

// Kept apart from eval, whose common cases, names and constants, then need
// no frame of this size.
//
// A form in tail position, the body of a procedure or the branch of an IF,
// is evaluated by this same frame, though as if by a call of its own: its
// entry goes on the call trace above the others, and on the way back each
// entry is popped and its value passed through check_force in turn, so
// that errors, traces and forcing come out as they would with one frame
// per form. The entries of this frame are first_entry up to entry.
//
// As a test (AS_TEST), the value is get_boolean's reading of it for the
// built-in `test_of`. A built-in that would answer with a new boolean then
// answers that value's truth instead, counting its cell: check_force passes
// a boolean unchanged, so the value reaches get_boolean and nothing else.
namespace {
template <bool AS_TEST>
[[gnu::always_inline]] inline int evaluate_form_as(int e, int N, int V, const char *test_of) {
    const int first_entry = nstack_calls;
    int entry, result;
    for (;;) {
        check_stack();
        entry = push_call(e, N, V);
        int row;
        int op = evaluate_operator(e, N, V, row);
        stack_calls[entry].op = op;
        int A = mem[e].u.w.second;
        int op_type = op >= 0 ? mem[op].type : CELL_FREE;
        const char *name = nullptr;
        if (row >= 0) {
            name = symbol_name(mem[e].u.w.first);
        } else if (op_type == CELL_LIBPROC && (A >= 0 || !curry_mode)) {
            // Under currying a built-in named without arguments is the value.
            row = mem[op].u.w.second;
            name = symbol_name(mem[op].u.w.first);
        }
        if (row >= 0) {
            if (row == IF_ROW) {
                // The test may switch lazy mode, so it is read afterwards.
                int branch = if_branch(name, A, N, V);
                if (lazy_mode) {
                    result = make_promise(branch, N, V);
                } else if (branch >= 0 && mem[branch].type == CELL_PAIR) {
                    e = branch;
                    continue;
                } else {
                    result = eval(branch, N, V);
                }
            } else if (AS_TEST && func[row].truth) {
                int truth = unwritten_boolean(func[row].truth(name, A, N, V));
                pop_call(first_entry);
                return truth;
            } else {
                result = func[row].proc(name, A, N, V);
            }
            break;
        }
        if (op_type == CELL_PROCEDURE) {
            // A procedure's code and environment are pairs as made.
            int code = mem[op].u.w.first, env = mem[op].u.w.second;
            int P = first_word(code), B = second_word(code), CN = first_word(env), CV = second_word(env);
            int n = exact_argument_count(P, A);
            if (n > 0 || (n == 0 && P != FORCED_MARK)) {
                int args = evaluate_arguments(A, n, N, V, operation_name(e));
                stack_calls[entry].entered = 1;
                stack_calls[entry].args = args;
                int frame_names = make_pair(P, CN);
                int frame_values = make_pair(args, CV);
                if (B >= 0 && mem[B].type == CELL_PAIR) {
                    e = B;
                    N = frame_names;
                    V = frame_values;
                    continue;
                }
                result = eval(B, frame_names, frame_values);
                break;
            }
        }
        result = apply_other(entry, e, op, N, V);
        entry--;
        break;
    }
    if (result < 0 || mem[result].type != CELL_PROCEDURE) {  // check_force would pass it unchanged
        pop_call(first_entry);
    } else {
        for (; entry >= first_entry; entry--) {
            pop_call(entry);
            result = check_force(result);
        }
    }
    if constexpr (AS_TEST) return get_boolean(result, test_of);
    return result;
}

template <bool AS_TEST>
[[gnu::noinline]] int evaluate_any_form(int e, int N, int V, const char *test_of) {
    return evaluate_form_as<AS_TEST>(e, N, V, test_of);
}

// The form's operator names a built-in whose row the form keeps, applied
// here, and not IF, whose branch goes on in evaluate_form_as's frame.
inline bool applies_kept_builtin(int e, int row) {
    return row >= 0 && row != IF_ROW && (mem[e].u.w.second >= 0 || !curry_mode);
}

// The steps evaluate_form_as takes for such a form, in the same order, in
// a frame of the size they need: most forms are of this kind.
template <bool AS_TEST>
[[gnu::noinline]] int apply_kept_builtin(int e, int N, int V, int row, const char *test_of) {
    check_stack();
    int entry = push_call(e, N, V);
    take_unwritten_cell();
    stack_calls[entry].op = unwritten_builtin(row);
    const char *name = symbol_name(mem[e].u.w.first);
    int A = mem[e].u.w.second;
    if (AS_TEST && func[row].truth) {
        int truth = unwritten_boolean(func[row].truth(name, A, N, V));
        pop_call(entry);
        return truth;
    }
    int result = func[row].proc(name, A, N, V);
    pop_call(entry);
    result = check_force(result);
    if constexpr (AS_TEST) return get_boolean(result, test_of);
    return result;
}
}  // namespace

int evaluate_form(int e, int N, int V) {
    int row = kept_operator_row(e);
    if (applies_kept_builtin(e, row)) return apply_kept_builtin<false>(e, N, V, row, nullptr);
    return evaluate_any_form<false>(e, N, V, nullptr);
}

int evaluate_test_form(int e, int N, int V, const char *test_of) {
    int row = kept_operator_row(e);
    if (applies_kept_builtin(e, row)) return apply_kept_builtin<true>(e, N, V, row, test_of);
    return evaluate_any_form<true>(e, N, V, test_of);
}

int is_lazy(int v) {
    return v >= 0 && mem[v].type == CELL_PROCEDURE && mem[mem[v].u.w.first].u.w.first < 0;
}

namespace {
// A name may stand for a promise whose expression is a name again, and so
// on without an application between, so this passes the stack guard itself.
// Kept out of force, which then adds nothing to the stack the playground
// measures when the expression is a form, whose application is guarded.
[[gnu::noinline]] int evaluate_name_or_constant(int e, int N, int V) {
    check_stack();
    return eval(e, N, V);
}
}  // namespace

int force(int p) {
    int code = mem[p].u.w.first;
    if (mem[code].u.w.first == FORCED_MARK) return mem[code].u.w.second;
    int env = mem[p].u.w.second, e = mem[code].u.w.second;
    int N = get_car(env), V = get_cdr(env);
    int value = e >= 0 && mem[e].type == CELL_PAIR ? evaluate_form(e, N, V) : evaluate_name_or_constant(e, N, V);
    note_rewrite(code);
    mem[code].u.w.first = FORCED_MARK;
    mem[code].u.w.second = value;
    return value;
}

int force_if_due(int v) {
    int code = mem[v].u.w.first;
    int params = mem[code].u.w.first;
    if (params >= 0) return v;
    if (lazy_mode) return force(v);
    if (params == FORCED_MARK) return mem[code].u.w.second;
    return v;
}

int make_closure(int params, int body, int names, int values) {
    note_local_names(params);
    int code = make_pair(params, body);
    return make_procedure(code, make_pair(names, values));
}

int make_promise(int e, int names, int values) {
    int code = make_pair(NIL, e);
    return make_procedure(code, make_pair(names, values));
}

void wrong_argument_count(const char *name) { raise_error(ERR_ARG_COUNT, name); }

// The rest of the list is evaluated before its first element, so arguments
// are evaluated last to first and a later argument's error is the one
// reported.
int eval_list(int list, int N, int V, const char *name) {
    check_stack();
    if (list < 0) return NIL;
    if (mem[list].type != CELL_PAIR) raise_error(ERR_BAD_ARG, name);
    int rest = eval_list(mem[list].u.w.second, N, V, name);
    int value = eval(mem[list].u.w.first, N, V);
    return make_pair(value, rest);
}

int lazy_list(int list, int N, int V, const char *name) {
    check_stack();
    if (list < 0) return NIL;
    if (mem[list].type != CELL_PAIR) raise_error(ERR_BAD_ARG, name);
    int rest = lazy_list(mem[list].u.w.second, N, V, name);
    int promise = make_promise(mem[list].u.w.first, N, V);
    return make_pair(promise, rest);
}

int evalk_list(int list, int N, int V, const char *name, int k) {
    check_stack();
    if (k <= 0) return list;
    if (list < 0) return NIL;
    if (mem[list].type != CELL_PAIR) raise_error(ERR_BAD_ARG, name);
    int rest = evalk_list(mem[list].u.w.second, N, V, name, k - 1);
    int value = eval(mem[list].u.w.first, N, V);
    return make_pair(value, rest);
}

int evalarg_list(int args, int N, int V, int op, int form) {
    if (is_unwritten_builtin(op)) {
        const func_entry &row = func[unwritten_builtin_row(op)];
        return evalk_list(args, N, V, symbol_name(mem[form].u.w.first), row.arity);
    }
    if (!is_libproc(op)) return args;
    const func_entry &row = func[mem[op].u.w.second];
    return evalk_list(args, N, V, symbol_name(mem[op].u.w.first), row.arity);
}

// A loop, so that APPLY takes lists as long as the heap holds. QUOTE is
// interned only once an element is to be wrapped: the empty list takes no cell.
int quote_list(int list, const char *name) {
    int quote = NIL;
    int result = NIL, last = NIL;
    for (;;) {
        if (list < 0) return result;
        if (mem[list].type != CELL_PAIR) raise_error(ERR_BAD_ARG, name);
        int element = check_force(mem[list].u.w.first);
        if (quote < 0) quote = make_symbol("QUOTE");
        int quoted = make_pair(make_pair(quote, make_pair(element, NIL)), NIL);
        if (last < 0)
            result = quoted;
        else
            mem[last].u.w.second = quoted;
        last = quoted;
        list = check_force(mem[list].u.w.second);
    }
}

int proc_apply(const char *name, int args, int N, int V) {
    check_narg(narg(args, name) == 2, name);
    int f = eval(get_car(args), N, V);
    if (!is_procedure(f)) raise_error(ERR_BAD_ARG, name);
    int list = eval(get_car(get_cdr(args)), N, V);
    if (list >= 0 && !is_pair(list)) raise_error(ERR_BAD_ARG, name);
    return eval(make_pair(f, quote_list(list, name)), N, V);
}
