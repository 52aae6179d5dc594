// The character source under the readers: one character of look-ahead over
// the lines of a source file (echoed) or of the keyboard (prompted).
#pragma once
#include <cstdio>
#include <string>

extern int currchar;  // 0-255, or -1 at end of input
extern int nextchar;  // the look-ahead; a line end is '\n'

// Where keyboard lines come from, set by whoever runs the reader: the next
// line with its line end, false at the end of input.
using keyboard_line_reader = bool (*)(std::string &line);
extern keyboard_line_reader read_keyboard_line;
// Shows the prompt before a keyboard line is read; may be null.
using keyboard_prompter = void (*)();
extern keyboard_prompter show_keyboard_prompt;

// Starts reading `file` (known in messages as `name`), or the keyboard when
// it is null. The keyboard goes on with the unread pieces of its current
// line, if any. A line too long to hold is error 2, and reading goes on
// after it; a read error of the file is error 16, and the file then reads
// as ended.
void init_in(FILE *file, const char *name = nullptr);
void getnext();
// Skips every character of value 32 or less (end of input is not skipped).
void skip_space();
// Drops the unread rest of the current keyboard line, all its pieces.
void clear_in();
// Forgets every line read so far, for a new session.
void input_reset();
// Sets the whole source aside, hooks included, leaving an empty keyboard
// without a reader in its place; input_bring_back restores it exactly. For a
// parse of other text that must leave no trace; one at a time.
void input_set_aside();
void input_bring_back();
// After an error in a file: copies its unread lines to the output without
// reading them as source, leaving out lines that begin with "->".
void echo_rest_of_file();
// True when the source is a file.
bool reading_file();
// The line of the current source that currchar belongs to, counted from 1
// (keyboard lines are counted over the whole session).
int input_line();
// How many lines of the current source have been read or skipped so far.
int lines_read();
