// The table of error messages, one per error code, in code page 1251.
#pragma once

constexpr int ERROR_COUNT = 19;
constexpr int ERR_NO_MEMORY = 2;
constexpr int ERR_FLOAT = 3;
constexpr int ERR_STACK = 4;
constexpr int ERR_MATH = 5;
constexpr int ERR_INTERRUPT = 7;
constexpr int ERR_TABLE_FULL = 9;
constexpr int ERR_LEXICAL = 10;
constexpr int ERR_SYNTAX = 11;
constexpr int ERR_ARG_COUNT = 12;
constexpr int ERR_BAD_ARG = 13;
constexpr int ERR_NOT_PROC = 14;
constexpr int ERR_UNKNOWN = 15;
constexpr int ERR_OPEN = 16;
constexpr int ERR_LOAD = 18;

// A format with at most one %s, for error_parm.
const char *error_message(int code);
