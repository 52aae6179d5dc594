// The lexer of the infix notation.
#pragma once

extern int begin_flag;  // set when the next token starts a statement
extern int yylval;  // defined by the parser

int yylex();
int yylex1();
