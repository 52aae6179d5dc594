// Keyboard lines: plain reads from standard input, or line editing with
// history when both standard input and output are terminals.
#pragma once
#include <string>

// Shows the prompt "> " for the next keyboard line.
void keyboard_prompt();
// Reads one line, its line end included when present. False at end of input.
bool keyboard_read_line(std::string &line);
