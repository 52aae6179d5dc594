// The S-expression reader and the character helpers the lexer shares.
#pragma once

constexpr int STR_SIZE = 256;
extern char str[STR_SIZE];  // the lexeme buffer, shared with the lexer
extern int nparent;         // lists opened and not yet closed in the datum

// Reads one datum from the input source; error 10 on malformed input.
int read_list();

int integer_number(const char *s);
int real_number(const char *s);
