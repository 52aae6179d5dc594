// The character source under the readers: one character of look-ahead over
// the lines of a source file (echoed) or of the keyboard (prompted).
#pragma once
#include <cstdio>

extern int currchar;  // 0-255, or -1 at end of input
extern int nextchar;  // the look-ahead; a line end is '\n'

// Starts reading `file`, or the keyboard when it is null. The keyboard goes
// on with the unread pieces of its current line, if any.
void init_in(FILE *file);
void getnext();
// Skips every character of value 32 or less (end of input is not skipped).
void skip_space();
// Drops the unread rest of the current keyboard line, all its pieces.
void clear_in();
// Forgets every line read so far, for a new session.
void input_reset();
// After an error in a file: copies its unread lines to the output without
// reading them as source, leaving out lines that begin with "->".
void echo_rest_of_file();
// True when the source is a file.
bool reading_file();
