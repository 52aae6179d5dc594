// Keyboard lines: plain reads from standard input, or line editing with
// history when both standard input and output are terminals.
#pragma once
#include <string>

// Decides once, at start-up, how the keyboard is read: with line editing,
// history and Ctrl-C when standard input and standard output are terminals
// and `output_is_console` (no OUT file took the output); plainly otherwise.
void keyboard_start(bool output_is_console);
// Shows the prompt "> " for the next keyboard line. While lines are edited
// the editor shows it when it reads the line.
void keyboard_prompt();
// Reads one line, its line end included when present. False at end of input.
bool keyboard_read_line(std::string &line);
