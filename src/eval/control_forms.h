// The control and delay forms, rows of the built-in table.
#pragma once

int proc_quote(const char *name, int args, int names, int values);
int proc_if(const char *name, int args, int names, int values);
// The branch of an IF form that its test chooses (the test evaluated, the
// branch not yet).
int if_branch(const char *name, int args, int names, int values);
int proc_and(const char *name, int args, int names, int values);
int proc_or(const char *name, int args, int names, int values);
int proc_not(const char *name, int args, int names, int values);
// AND, OR and NOT for a test that reads their value at once (table.h).
int test_and(const char *name, int args, int names, int values);
int test_or(const char *name, int args, int names, int values);
int test_not(const char *name, int args, int names, int values);
int proc_delay(const char *name, int args, int names, int values);
int proc_force(const char *name, int args, int names, int values);
int proc_lazy(const char *name, int args, int names, int values);
