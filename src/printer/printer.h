// The written form of values.
#pragma once

// Writes the value on the current line; never a newline, never a flush.
void print_list(int v);
