/* The infix notation. Every action builds the S-expression of its rule out of
   cells and applies the rule's step to the parse-stack display; a complete
   statement is executed the moment it is reduced. */
%{
#include "reader/grammar_actions.h"
#include "reader/lexer.h"
#include "reader/parse_display.h"

/* A state stack of 200 entries, never enlarged: a push that would fill it is
   a syntax error. Allocated with the parser, so an unwind leaks nothing. */
#define YYMAXDEPTH 200
#define YYINITDEPTH 200
%}

%define api.value.type {int}
%expect 0

%token NUMBER IDENT UIDENT SEXPR BOOLEAN
%token OR AND NOT LE GE NE LAMBDA FORCE DELAY LET LETREC WHERE WHEREREC
%token IF THEN ELSE IN UMINUS

/* From the loosest binding to the tightest. The prefix forms FORCE, DELAY,
   LAMBDA and the ELSE branch take the longest expression that follows. */
%precedence FORCE DELAY LAMBDA ELSE
%left '|'
%right ':'
%left OR
%left AND
%precedence NOT
%left '=' '<' '>' LE GE NE
%left '+' '-'
%left '*' '/' '%' '\\'
%left '^'
%precedence UMINUS

%start program

%%

id:          IDENT                              { $$ = $1; }
           | UIDENT                             { $$ = $1; }
           ;
program:     operator
           | program ';' operator               { after_statement(); }
           ;
header:      UIDENT                             { $$ = $1; }
           | UIDENT args                        { $$ = header_with_args($1, $2); }
           ;
operator:    header '=' expr                    { execute_definition($1, $3); }
           | expr                               { execute_expression($1); }
           | %empty                             { empty_statement(); }
           ;
sdefinition: id '=' expr                        { $$ = local_definition($1, $3); }
           ;
args:        '(' arg_list ')'                   { $$ = parameters($2); }
           ;
arg_list:    id                                 { $$ = first_name($1); }
           | arg_list ',' id                    { $$ = more_names($1, $3); }
           ;
expr:        expr '+' expr                      { $$ = binary("+", $1, $3); }
           | expr '-' expr                      { $$ = binary("-", $1, $3); }
           | expr '*' expr                      { $$ = binary("*", $1, $3); }
           | expr '/' expr                      { $$ = binary("/", $1, $3); }
           | expr '^' expr                      { $$ = binary("EXPT", $1, $3); }
           | expr '%' expr                      { $$ = binary("REMAINDER", $1, $3); }
           | expr '\\' expr                     { $$ = binary("QUOTIENT", $1, $3); }
           | expr AND expr                      { $$ = binary("AND", $1, $3); }
           | expr OR expr                       { $$ = binary("OR", $1, $3); }
           | expr '>' expr                      { $$ = binary(">", $1, $3); }
           | expr '<' expr                      { $$ = binary("<", $1, $3); }
           | expr LE expr                       { $$ = binary("<=", $1, $3); }
           | expr GE expr                       { $$ = binary(">=", $1, $3); }
           | expr '=' expr                      { $$ = binary("=", $1, $3); }
           | expr NE expr                       { $$ = not_equal($1, $3); }
           | expr '|' expr                      { $$ = pipe($1, $3); }
           | NOT expr                           { $$ = prefix("NOT", $2); }
           | '-' expr %prec UMINUS              { $$ = prefix("-", $2); }
           | atom                               { $$ = $1; }
           | FORCE expr                         { $$ = prefix("FORCE", $2); }
           | DELAY expr                         { $$ = prefix("DELAY", $2); }
           | LAMBDA args expr                   { $$ = lambda($2, $3); }
           | IF expr THEN expr ELSE expr        { $$ = conditional($2, $4, $6); }
           | expr ':' expr                      { $$ = binary("CONS", $1, $3); }
           ;
block:       LET def_list IN expr_list2         { $$ = let_block("LET", $2, $4); }
           | LETREC def_list IN expr_list2      { $$ = let_block("LETREC", $2, $4); }
           | expr_list2 WHERE def_list          { $$ = where_block("LET", $1, $3); }
           | expr_list2 WHEREREC def_list       { $$ = where_block("LETREC", $1, $3); }
           ;
exprs:       '(' ')'                            { $$ = no_arguments(); }
           | '(' expr_list ')'                  { $$ = arguments($2); }
           ;
expr_list:   expr                               { $$ = first_expression($1); }
           | expr_list ',' expr                 { $$ = more_arguments($1, $3); }
           ;
expr_list2:  expr                               { $$ = first_expression($1); }
           | expr_list2 ';' expr                { $$ = more_body($1, $3); }
           ;
def_list:    sdefinition                        { $$ = first_definition($1); }
           | def_list ';' sdefinition           { $$ = more_definitions($1, $3); }
           | def_list ';'                       { $$ = trailing_semicolon($1); }
           ;
atom:        IDENT                              { $$ = operand($1); }
           | '(' ')'                            { $$ = empty_list(); }
           | '(' expr ')'                       { $$ = parenthesised($2); }
           | NUMBER                             { $$ = operand($1); }
           | BOOLEAN                            { $$ = operand($1); }
           | SEXPR                              { $$ = operand($1); }
           | atom exprs                         { $$ = call($1, $2); }
           | '{' block '}'                      { $$ = braces($2); }
           ;
