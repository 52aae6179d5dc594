// Text encoding at the console boundary: the system holds every character as
// one byte of code page 1251; the console speaks UTF-8 unless the locale says 1251.
#pragma once
#include <cstddef>
#include <string>

// True when the locale (LC_ALL, LC_CTYPE, LANG: the first that is set and not
// empty) names code page 1251; then the console gets raw bytes.
bool locale_is_cp1251();
// Whether the console speaks code page 1251 (raw bytes) rather than UTF-8:
// what the locale says, unless a front end has decided otherwise.
bool console_is_cp1251();
void set_console_cp1251(bool cp1251);
// Forgets a front end's decision: the locale decides again.
void console_encoding_reset();

// Appends the UTF-8 form of code page 1251 bytes to `out`.
void cp1251_to_utf8(const char *bytes, std::size_t n, std::string &out);

// True when `text` is valid UTF-8.
bool is_utf8(const std::string &text);
// Decodes a line that is valid UTF-8 into code page 1251 in place ('?' for a
// character the code page lacks) and returns true; leaves an invalid line
// untouched and returns false.
bool utf8_to_cp1251(std::string &line);

// Code page 1251 text as the console shows it: the same bytes, or UTF-8.
std::string console_text(const char *cp1251_text);
// The form of a file name as the file system expects it (the console's encoding).
std::string external_name(const char *cp1251_name);
// The internal form of a name that came from the command line.
std::string internal_name(const char *external);
