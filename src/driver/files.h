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
