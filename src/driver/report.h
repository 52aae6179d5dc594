// The report printed after an error: the message line, the parse-stack
// display for syntax errors, and the call trace for evaluation errors.
#pragma once

void print_error_report();
