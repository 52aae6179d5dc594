// The driver: command line, start-up, the loop that reads one source after
// another, and the execution of each statement.
#pragma once

// Evaluates a complete statement in the global environment and prints its
// value (behind "-> " while a file is read); then collects garbage.
void execute(int expr);
// Prints the banner's second line, the one that names the version.
void print_version_line();
// The whole run; returns the exit status.
int driver_main(int argc, char **argv);
// Returns every global of the interpreter to its state at start-up, so that
// another run can follow in the same process.
void reset_interpreter();
