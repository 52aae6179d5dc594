// The parser of the infix notation and the hook through which every
// complete statement leaves it.
#pragma once

// Called with each complete, non-empty statement the moment it is reduced;
// whoever runs the parser sets it (the driver evaluates and prints).
using statement_handler = void (*)(int expr);
extern statement_handler execute_statement;

// Parses the current source to its end; errors unwind past it.
int yyparse();
