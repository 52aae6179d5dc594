// The lexer of the infix notation.
#pragma once

extern int begin_flag;  // set when the next token starts a statement
// Set when the input ended inside a /* comment: the text is unfinished.
extern bool comment_left_open;
extern int yylval;  // defined by the parser

int yylex();
int yylex1();
// Forgets the statement being read: the next token starts one.
void lexer_restart();
// True once part of a statement has been read (a token, or the beginning of
// one that spans lines) and until the ';' that ends it.
bool statement_unfinished();
// The source line of the first token of the statement being read (or just
// executed).
int statement_first_line();
// Sets the lexer's notes aside for a parse of other text and brings them back.
void lexer_set_aside();
void lexer_bring_back();

// The keywords that are words, matched against whole upper-cased
// identifiers: both spellings of each, in code page 1251. The operator
// keywords (<=, /\ ...) are not among them.
constexpr int KEYWORD_WORDS = 29;
const char *keyword_word(int i);
