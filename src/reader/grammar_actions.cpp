// The grammar's actions. Each builds the S-expression of its rule with fresh
// pairs and interned names, and replaces the display names of the rule's
// right-hand side by the name of its left-hand side.
#include "reader/grammar_actions.h"

#include "cells/cell.h"
#include "eval/symbols.h"
#include "grammar.hpp"
#include "reader/parse_display.h"
#include "reader/parser.h"
#include "text/cp1251.h"

extern int yychar;

namespace {
constexpr cp_text<24> program_name = "<программа>";
constexpr cp_text<24> statement_name = "<оператор>";
constexpr cp_text<24> header_name = "<заголовок>";
constexpr cp_text<24> parameters_name = "<параметры>";
constexpr cp_text<24> names_name = "<список имен>";
constexpr cp_text<24> definition_name = "<определение>";
constexpr cp_text<24> definitions_name = "<определения>";
constexpr cp_text<24> expression_name = "<выражение>";
constexpr cp_text<24> arguments_name = "<аргументы>";
constexpr cp_text<40> comma_list_name = "<список выражений через , >";
constexpr cp_text<40> semicolon_list_name = "<список выражений через ; >";
constexpr cp_text<24> block_name = "<блок л.о.>";

void reduce(const char *name, int n) { set_symbol(name, n, yychar != YYEMPTY); }

int expression(int value, int n) {
    reduce(expression_name, n);
    return value;
}

int list1(int a) { return make_pair(a, NIL); }
int list2(int a, int b) { return make_pair(a, list1(b)); }
int list3(int a, int b, int c) { return make_pair(a, list2(b, c)); }

// Stores a fresh one-element list as the cdr of the list's last pair.
int append(int list, int element) {
    int last = list;
    while (is_pair(get_cdr(last))) last = get_cdr(last);
    set_cdr(last, list1(element));
    return list;
}

// A parameter list whose last name is "..." binds that name to the rest of
// the arguments: (X ...) becomes (X . ...), and (...) the symbol itself.
int rest_parameter_step(int params) {
    int dots = make_symbol("...");
    int before_last = NIL, last = params;
    while (is_pair(get_cdr(last))) {
        before_last = last;
        last = get_cdr(last);
    }
    if (get_car(last) != dots) return params;
    if (before_last < 0) return dots;
    set_cdr(before_last, dots);
    return params;
}
}  // namespace

statement_handler execute_statement;

void execute_definition(int header, int expr) {
    reduce(statement_name, 3);
    execute_statement(list3(make_symbol("DEFINE"), header, expr));
}

void execute_expression(int expr) {
    reduce(statement_name, 1);
    execute_statement(expr);
}

// The whole statement list below the pending token becomes one entry.
void after_statement() { reduce(program_name, nstack_symbols); }

void empty_statement() {}

int header_with_args(int name, int args) {
    reduce(header_name, 2);
    return make_pair(name, args);
}

int local_definition(int id, int expr) {
    reduce(definition_name, 3);
    return list2(id, expr);
}

int parameters(int arg_list) {
    reduce(parameters_name, 3);
    return rest_parameter_step(arg_list);
}

int first_name(int id) { return list1(id); }

int more_names(int list, int id) {
    reduce(names_name, 3);
    return append(list, id);
}

int binary(const char *operation, int left, int right) {
    return expression(list3(make_symbol(operation), left, right), 3);
}

int not_equal(int left, int right) {
    int comparison = list3(make_symbol("="), left, right);
    return expression(list2(make_symbol("NOT"), comparison), 3);
}

int pipe(int left, int right) { return expression(list2(right, left), 3); }

int prefix(const char *operation, int operand) { return expression(list2(make_symbol(operation), operand), 2); }

int lambda(int args, int body) { return expression(list3(make_symbol("LAMBDA"), args, body), 3); }

int conditional(int test, int then_branch, int else_branch) {
    int branches = list2(then_branch, else_branch);
    return expression(make_pair(make_symbol("IF"), make_pair(test, branches)), 6);
}

int operand(int value) { return expression(value, 1); }

int empty_list() { return expression(NIL, 2); }

int parenthesised(int expr) { return expression(expr, 3); }

int call(int op, int args) { return expression(make_pair(op, args), 2); }

int braces(int block) { return expression(block, 3); }

int no_arguments() {
    reduce(arguments_name, 2);
    return NIL;
}

int arguments(int expr_list) {
    reduce(arguments_name, 3);
    return expr_list;
}

int first_expression(int expr) { return list1(expr); }

int more_arguments(int list, int expr) {
    reduce(comma_list_name, 3);
    return append(list, expr);
}

int more_body(int list, int expr) {
    reduce(semicolon_list_name, 3);
    return append(list, expr);
}

int first_definition(int definition) { return list1(definition); }

int more_definitions(int list, int definition) {
    reduce(definitions_name, 3);
    return append(list, definition);
}

int trailing_semicolon(int list) {
    reduce(definitions_name, 2);
    return list;
}

int let_block(const char *form, int bindings, int body) {
    reduce(block_name, 4);
    return make_pair(make_symbol(form), make_pair(bindings, body));
}

int where_block(const char *form, int body, int bindings) {
    reduce(block_name, 3);
    return make_pair(make_symbol(form), make_pair(bindings, body));
}
