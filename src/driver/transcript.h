// A transcript read back: what a file says its run prints, what a run
// printed, and where the two part. Owns no state.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "console/output.h"
#include "driver/session.h"

// A result line and the statement that printed it: an index into the run's
// statements, or -1 (the file's own "-> " lines, or output that no finished
// statement owns, such as QUIT's farewell).
struct result_line {
    std::string text;
    int statement = -1;
};

// One source line and the result lines that follow it. Block 0 of every
// transcript holds what comes before the first source line and no source.
struct transcript_block {
    int line = 0;  // in the file; 0 for block 0 and for a run's echoed lines
    std::string source;
    std::vector<result_line> results;
};

// Every text here is without its line end, in the console's encoding.
struct transcript {
    std::vector<transcript_block> blocks;
    std::vector<std::string> lines;  // every line of the file; lines[0] is line 1
    std::vector<bool> arrow;         // whether that line begins with "->"
};

// A file as the reader sees it: lines decoded as the reader decodes them,
// then written as the console would show them.
transcript read_transcript(std::string_view file_bytes, bool console_cp1251);

struct run_statement {
    std::string source;  // as statement_event names it
    int first_line, last_line, error_code;
    std::size_t block;   // of the run's transcript, where its output ends
};

// A run as it was printed, built piece by piece from the session's output.
struct recorded_run {
    transcript printed;  // its echoed lines are the sources
    std::vector<run_statement> statements;
    std::size_t bytes = 0;  // of output recorded so far
    std::string partial;    // a line not yet ended
    bool partial_is_echo = false;
    std::size_t unowned_from = 0;  // first block that may hold results no statement has claimed
};

recorded_run start_recording();
void record_output(recorded_run &run, output_kind kind, std::string_view bytes);
// Output since the statement before belongs to this one.
void record_statement(recorded_run &run, const statement_event &event);
void finish_recording(recorded_run &run);

enum class difference_kind {
    differs,     // results other than the recorded ones
    unrecorded,  // results where the file records none
    missing,     // recorded results where the run printed nothing
    not_run,     // recorded results in the rest of a file that an error left unevaluated
    lines,       // source lines the run did not print as the file has them
};

struct difference {
    difference_kind kind;
    int line;                            // in the checked file
    std::vector<std::string> statement;  // its source lines
    std::vector<std::string> expected, actual;
    int error_line = 0;                  // not_run: where the error was
    int count = 0;                       // not_run: result lines recorded there
};

// The differences between a file's transcript and its run, in the order of
// the file. `checked_name` is the file's name as the run's statements give it.
std::vector<difference> compare_run(const transcript &expected, const recorded_run &run,
                                    std::string_view checked_name);
