// The names Tab offers at the keyboard: the keywords in both spellings, the
// built-in names and the names defined so far. Owns no state.
#include "driver/completion.h"

#include <algorithm>
#include <cstring>

#include "builtins/table.h"
#include "cells/cell.h"
#include "cells/heap.h"
#include "reader/lexer.h"
#include "text/chars.h"

namespace {
// The car/cdr family has no end; its two shortest members stand for it.
constexpr const char *cadr_family[] = {"CAR", "CDR"};

// A name as the lexer reads one: a letter, "_" or "." first, then letters,
// digits, "_" and ".", and at most one "?" that ends it.
bool looks_like_name(const char *text) {
    int first = (unsigned char)text[0];
    if (!is_alpha(first) && first != '_' && first != '.') return false;
    for (const char *p = text; *p; p++)
        if (!is_name_char((unsigned char)*p) && !(*p == '?' && p[1] == '\0')) return false;
    return true;
}

bool begins_with(const char *text, const std::string &prefix) {
    return strncmp(text, prefix.c_str(), prefix.size()) == 0;
}

void offer(const char *name, const std::string &prefix, std::vector<std::string> &found) {
    if (begins_with(name, prefix)) found.emplace_back(name);
}

// The global frame is a list of symbols, newest first; a name defined
// twice appears twice. The walk is bounded because the heap is.
void offer_defined_names(const std::string &prefix, std::vector<std::string> &found) {
    if (!heap_ready() || !is_pair(nptr)) return;
    int steps = 0;
    for (int link = first_word(nptr); is_pair(link) && steps < MEM_SIZE; link = second_word(link), steps++) {
        int name = first_word(link);
        if (is_symbol(name) && looks_like_name(symbol_name(name))) offer(symbol_name(name), prefix, found);
    }
}
}  // namespace

std::vector<std::string> completions(const std::string &prefix) {
    std::vector<std::string> found;
    if (prefix.empty()) return found;
    for (int i = 0; i < KEYWORD_WORDS; i++) offer(keyword_word(i), prefix, found);
    for (int row = 1; row < FUNC_COUNT; row++)
        if (looks_like_name(func[row].name)) offer(func[row].name, prefix, found);
    for (const char *name : cadr_family) offer(name, prefix, found);
    offer_defined_names(prefix, found);
    std::sort(found.begin(), found.end(), [](const std::string &a, const std::string &b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) { return (unsigned char)x < (unsigned char)y; });
    });
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}
