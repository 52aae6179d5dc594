// The binding forms, rows of the built-in table.
#pragma once

int proc_define(const char *name, int args, int names, int values);
int proc_lambda(const char *name, int args, int names, int values);
int proc_let(const char *name, int args, int names, int values);
int proc_letrec(const char *name, int args, int names, int values);
int proc_curry(const char *name, int args, int names, int values);

int perem_list(int bindings, const char *name);
int expr_list(int bindings, const char *name);
int eval_last(int list, int names, int values);
