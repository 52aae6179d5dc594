// Parsing text without running it: whether keyboard text is a finished run
// of statements, for front ends that must decide when to send it. Owns only
// what it sets aside for the length of one parse.
#pragma once
#include <string>

enum class parse_verdict {
    complete,    // every statement ends by the end of the text
    incomplete,  // the text stops inside a statement, comment or S-expression
    invalid,     // a lexical or syntax error before the end of the text
    unknown,     // the parse could not be finished (the heap ran out, say)
};

// Reads `text` as the keyboard would (lines ending in '\n', in the console's
// encoding), through the real lexer and grammar, to the end of the text. Nothing is
// evaluated: a definition only makes its name known to the lexer for the rest
// of the text, as running it would. Afterwards the heap, its free list, the
// symbol table, the reader and the error variables are exactly as before.
// Call between statements, on the interpreter's thread; without a heap set
// up the verdict is unknown.
parse_verdict dry_parse(const std::string &text);
