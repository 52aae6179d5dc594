// Opening source and output files.
#pragma once
#include <cstdio>
#include <string>

// Opens a source file for reading; null when it cannot be opened or is a
// folder. `any_case` also accepts a file whose name differs only in
// letter case when no file of exactly that name exists.
FILE *open_source(const std::string &external_path, bool any_case);
// Opens OUT for writing, created or emptied; -1 on failure.
int open_output(const std::string &external_path);
// Makes the file open on `output_fd` (OUT) one that open_source refuses.
void forbid_source(int output_fd);
// True when both paths name one existing file.
bool same_file(const std::string &a, const std::string &b);
// Puts a stand-in on standard input, output or error where one is closed,
// so no file the session opens takes its place; standard output then fails
// every write, as a closed one does.
void guard_closed_standard_output();
