// The names Tab offers at the keyboard: the keywords in both spellings, the
// built-in names and the names defined so far. Owns no state.
#pragma once
#include <string>
#include <vector>

// Every name that begins with `prefix` (code page 1251, upper case, as the
// readers store names), in byte order, each once. An empty prefix gives none.
std::vector<std::string> completions(const std::string &prefix);
