// The one path of every byte the system writes: results, messages, echoed
// lines, prompts and the banner. Owns the output buffer, the kind of what it
// holds, and where it goes.
#pragma once
#include <cstddef>

// What a piece of output is, for front ends that show the kinds apart.
enum class output_kind { text, banner, prompt, echo, result, report };

// Receives the buffered output, already in the console's encoding, all of
// one kind. May end the run (by an error of its own), never return an error.
using output_sink = void (*)(output_kind kind, const char *bytes, std::size_t n);

// Output goes to `sink`; with none, to the file descriptor of out_redirect,
// whatever the result of the write.
void out_set_sink(output_sink sink);
// The descriptor written to when no sink is set (standard output at first).
void out_redirect(int fd);
// What is written from now on is of `kind`; what was written before is
// handed over first when the kind changes.
void out_kind(output_kind kind);
// Writes code page 1251 bytes, converted for the console.
void out_bytes(const char *bytes, std::size_t n);
void out_str(const char *text);
void out_char(int c);
// printf-style; the text produced is code page 1251 like everything else.
[[gnu::format(printf, 1, 2)]] void out_format(const char *format, ...);
// Hands everything written so far to the sink.
void out_flush();
// Drops unwritten output; writes to standard output again, without a sink.
void out_reset();
