// The procedures of the built-in table that live in this folder.
#pragma once

#define JOR_LIBPROC(name) int name(const char *name_, int args, int names, int values)
// Whether the built-ins that answer with a new boolean hold (table.h).
JOR_LIBPROC(truth_atom);
JOR_LIBPROC(truth_number);
JOR_LIBPROC(truth_pair);
JOR_LIBPROC(truth_real);
JOR_LIBPROC(truth_integer);
JOR_LIBPROC(truth_symbol);
JOR_LIBPROC(truth_procedure);
JOR_LIBPROC(truth_boolean);
JOR_LIBPROC(truth_null);

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
JOR_LIBPROC(truth_eqn);
JOR_LIBPROC(truth_gtn);
JOR_LIBPROC(truth_ltn);
JOR_LIBPROC(truth_gen);
JOR_LIBPROC(truth_len);

JOR_LIBPROC(proc_cadr);
JOR_LIBPROC(proc_cons);
JOR_LIBPROC(proc_eq);

JOR_LIBPROC(proc_load);
JOR_LIBPROC(proc_quit);
#undef JOR_LIBPROC
