// The transcript checker, jor --check [-m N] FILE...: each file runs in a
// fresh session and is compared with the transcript it holds.
#pragma once
#include <string>
#include <vector>

#include "driver/transcript.h"

struct file_check {
    bool ran = false;     // false: the file could not be read or the session could not start
    std::string problem;  // why not, in the console's encoding
    int statements = 0;   // told by the run, those of LOADed files included
    bool cut = false;     // the run printed more than the file could hold and was stopped
    std::vector<difference> differences;
};

// Runs `path` without a keyboard, LOAD seeking names in the file's folder.
file_check check_file(const std::string &path, long long heap_cells);
// The console program's --check: argv[1] is "--check". Returns the exit
// status: 0 when every file matches, 1 when any differs, 2 when one cannot
// be checked or the command line is wrong.
int check_main(int argc, char **argv);
