// The evaluation core: eval1, application with currying and promises, the
// argument-list helpers shared by the built-ins, and APPLY.
#pragma once

extern int (*eval)(int e, int names, int values);
extern int lazy_mode;
extern int curry_mode;

int eval1(int e, int names, int values);

int is_lazy(int v);
int force(int promise);
int check_force(int v);
// A new promise of expression e in the environment (names . values).
int make_promise(int e, int names, int values);
// A new user procedure with the code (params . body) and the environment
// (names . values).
int make_closure(int params, int body, int names, int values);

int narg(int list, const char *name);
void check_narg(int ok, const char *name);
int eval_list(int list, int names, int values, const char *name);
int lazy_list(int list, int names, int values, const char *name);
int evalk_list(int list, int names, int values, const char *name, int k);
int evalarg_list(int args, int names, int values, int op);
int quote_list(int list, const char *name);

int proc_apply(const char *name, int args, int names, int values);
