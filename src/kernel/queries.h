// What a notebook asks of the session between cells: completions, what a
// name stands for, whether text is a finished statement, the banner. Each
// reads the interpreter's state and changes none of it, so each is called on
// the interpreter's thread. Text and positions are the notebook's: UTF-8,
// positions counted in characters.
#pragma once
#include <optional>
#include <string>
#include <vector>

struct completion_reply {
    std::vector<std::string> matches;
    int start;  // the name being completed runs from start to the cursor
    int end;
};
// The keywords, built-in names and defined names that begin with the name
// before `cursor`, written in the case of its last letter, as Tab offers them.
completion_reply complete_name(const std::string &code, int cursor);

// What the name at `cursor` stands for: a defined name's value in its
// written form (a function's is its definition), a built-in's arity, or a
// keyword. Nothing for other text.
std::optional<std::string> inspect_name(const std::string &code, int cursor);

// "complete", "incomplete", "invalid" or "unknown", as the parser judges the text.
std::string completeness(const std::string &code);

// The banner's two lines, as the console prints them.
std::string banner_text();
// The version the banner names ("1.4").
std::string language_version();
