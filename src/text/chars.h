// The character classes of names, and upper-casing, in code page 1251.
#pragma once

// Upper-cases in place: a-z, а-я and ё become A-Z, А-Я and Ё.
void upper(char *s);
// Latin and Cyrillic letters (ё and Ё included); never end of input (-1).
int is_alpha(int ch);
// A letter or a decimal digit.
int is_alnum(int ch);
// A character that can stand inside a name: a letter, a digit, "_" or ".".
bool is_name_char(int c);
