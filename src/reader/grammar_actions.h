// The actions of the grammar: each builds the S-expression of its rule and
// applies the rule's step to the parse-stack display.
#pragma once

// Statements.
void execute_definition(int header, int expr);
void execute_expression(int expr);
void after_statement();
void empty_statement();

// Definitions and parameter lists.
int header_with_args(int name, int args);
int local_definition(int id, int expr);
int parameters(int arg_list);
int first_name(int id);
int more_names(int list, int id);

// Expressions.
int binary(const char *operation, int left, int right);
int not_equal(int left, int right);
int pipe(int left, int right);
int prefix(const char *operation, int operand);
int lambda(int args, int body);
int conditional(int test, int then_branch, int else_branch);
int operand(int value);
int empty_list();
int parenthesised(int expr);
int call(int op, int args);
int braces(int block);

// Argument lists, bodies and blocks.
int no_arguments();
int arguments(int expr_list);
int first_expression(int expr);
int more_arguments(int list, int expr);
int more_body(int list, int expr);
int first_definition(int definition);
int more_definitions(int list, int definition);
int trailing_semicolon(int list);
int let_block(const char *form, int bindings, int body);
int where_block(const char *form, int body, int bindings);
