// The history file (~/.jor_history): the user's typed lines, shared by every
// session of that user. Holds no state; each call opens, locks and closes it.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

constexpr std::size_t HISTORY_ENTRIES = 1000;    // the newest kept in the file
constexpr std::size_t HISTORY_LINE_LIMIT = 1000;  // bytes of the longest line stored

// True when `entry` may be stored and handed to the line editor: at most
// HISTORY_LINE_LIMIT bytes, no control character but Tab, and text in the
// console's encoding.
bool history_entry_fits(const std::string &entry);

// Appends the entries of the history file at `path` to `entries`, oldest
// first, skipping every line that is malformed or does not fit. False when
// something is there that this program did not write: it must be left alone.
// A missing file is an empty history.
bool history_load(const std::string &path, std::vector<std::string> &entries);

// Adds `entry` (which must fit) to the file under an advisory lock, unless it
// repeats the newest entry there, keeping the newest HISTORY_ENTRIES; so
// sessions that share the file all keep their lines. False when the file is
// not one this program wrote: then nothing was written. A file that cannot be
// opened is no such refusal; the entry is simply not kept.
bool history_save(const std::string &path, const std::string &entry);
