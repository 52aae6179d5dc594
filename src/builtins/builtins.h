// The procedures of the built-in table that live in this folder.
#pragma once

#define JOR_LIBPROC(name) int name(const char *name_, int args, int names, int values)
JOR_LIBPROC(proc_atom);
JOR_LIBPROC(proc_number);
JOR_LIBPROC(proc_pair);
JOR_LIBPROC(proc_real);
JOR_LIBPROC(proc_integer);
JOR_LIBPROC(proc_symbol);
JOR_LIBPROC(proc_procedure);
JOR_LIBPROC(proc_boolean);
JOR_LIBPROC(proc_null);
// The same for a test that reads the boolean at once (table.h).
JOR_LIBPROC(test_atom);
JOR_LIBPROC(test_number);
JOR_LIBPROC(test_pair);
JOR_LIBPROC(test_real);
JOR_LIBPROC(test_integer);
JOR_LIBPROC(test_symbol);
JOR_LIBPROC(test_procedure);
JOR_LIBPROC(test_boolean);
JOR_LIBPROC(test_null);

JOR_LIBPROC(proc_sqrt);
JOR_LIBPROC(proc_max);
JOR_LIBPROC(proc_min);
JOR_LIBPROC(proc_sin);
JOR_LIBPROC(proc_cos);
JOR_LIBPROC(proc_exp);
JOR_LIBPROC(proc_log);
JOR_LIBPROC(proc_abs);
JOR_LIBPROC(proc_tan);
JOR_LIBPROC(proc_atan);
JOR_LIBPROC(proc_acos);
JOR_LIBPROC(proc_asin);
JOR_LIBPROC(proc_floor);
JOR_LIBPROC(proc_ceiling);
JOR_LIBPROC(proc_expt);
JOR_LIBPROC(proc_quotient);
JOR_LIBPROC(proc_remainder);
JOR_LIBPROC(proc_div);
JOR_LIBPROC(proc_mul);
JOR_LIBPROC(proc_add);
JOR_LIBPROC(proc_sub);
JOR_LIBPROC(proc_eqn);
JOR_LIBPROC(proc_gtn);
JOR_LIBPROC(proc_ltn);
JOR_LIBPROC(proc_gen);
JOR_LIBPROC(proc_len);
JOR_LIBPROC(test_eqn);
JOR_LIBPROC(test_gtn);
JOR_LIBPROC(test_ltn);
JOR_LIBPROC(test_gen);
JOR_LIBPROC(test_len);

JOR_LIBPROC(proc_cadr);
JOR_LIBPROC(proc_cons);
JOR_LIBPROC(proc_eq);

JOR_LIBPROC(proc_load);
JOR_LIBPROC(proc_quit);
#undef JOR_LIBPROC
