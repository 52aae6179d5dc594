// The one path of every byte the system writes: results, messages, echoed
// lines, prompts and the banner. Owns the output buffer and the output file.
#pragma once
#include <cstddef>

// Makes `fd` the output from now on (OUT replaces standard output).
void out_redirect(int fd);
// Writes code page 1251 bytes, converted for the console.
void out_bytes(const char *bytes, std::size_t n);
void out_str(const char *text);
void out_char(int c);
// printf-style; the text produced is code page 1251 like everything else.
[[gnu::format(printf, 1, 2)]] void out_format(const char *format, ...);
// Hands everything written so far to the system.
void out_flush();
// Drops unwritten output and writes to standard output again.
void out_reset();
// True while the last byte written was a line end (or nothing was written).
bool out_at_line_start();
