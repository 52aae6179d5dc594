// Names and environments: interning, global definitions, lookup through the
// frames and then among the built-in names, and the equality of names.
#pragma once

constexpr int UNBOUND = -2;

// The one symbol cell of a name (a new one when none exists).
int make_symbol(const char *name);
// Binds name to value at the front of the global frame.
void add_value(int name, int value);
int find_symb(int name_frame, int value_frame, int symbol);
// Looks symbol up in the environment, then among the built-ins; error 15
// when nothing binds it.
int assoc(int names, int values, int symbol);
// True when the global frame or the built-in names know the symbol.
int is_defined(int symbol);
int eq(int a, int b, const char *name);
// Notes the names of a parameter list or of a LET frame, which local frames
// may from now on bind. Names never noted are looked up without walking the
// local frames (unless a malformed parameter list, whose frames raise an
// error when walked, has been noted).
void note_local_names(int names);
// Empties the global frame (the roots' cars), which otherwise only grows.
void clear_global_frame();
// Forgets every interned name; call with the heap's reset.
void symbols_reset();
