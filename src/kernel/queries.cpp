// Completions, inspection, completeness and the banner for a notebook. Owns
// the text captured while a value is written for inspection.
//
// A notebook's text is taken into code page 1251 as keyboard lines are: one
// byte for each character ("?" for one the code page lacks), so the byte
// positions are the notebook's character positions.
#include "kernel/queries.h"

#include <algorithm>

#include "builtins/table.h"
#include "cells/cell.h"
#include "cells/heap.h"
#include "console/encoding.h"
#include "console/output.h"
#include "driver/completion.h"
#include "driver/driver.h"
#include "errors/xerror.h"
#include "eval/eval.h"
#include "eval/symbols.h"
#include "printer/printer.h"
#include "reader/dry_parse.h"
#include "reader/lexer.h"
#include "text/chars.h"

namespace {
std::string captured;

void capture(output_kind, const char *bytes, std::size_t n) { captured.append(bytes, n); }

// What `write` prints, in the console's encoding (UTF-8 in a notebook); none
// of it reaches a host.
template <class Write>
std::string written(Write write) {
    captured.clear();
    out_set_sink(capture);
    run_protected(write);
    out_flush();
    out_set_sink(nullptr);
    return std::move(captured);
}

std::string in_code_page(const std::string &utf8) {
    std::string text = utf8;
    utf8_to_cp1251(text);
    return text;
}

std::string in_utf8(const std::string &cp1251) {
    std::string text;
    cp1251_to_utf8(cp1251.data(), cp1251.size(), text);
    return text;
}

bool inside_name(const std::string &text, std::size_t i) { return is_name_char((unsigned char)text[i]); }

std::size_t name_start(const std::string &text, std::size_t cursor) {
    std::size_t start = cursor;
    while (start > 0 && inside_name(text, start - 1)) start--;
    return start;
}

bool is_lower_case(unsigned char c) { return (c >= 'a' && c <= 'z') || c >= 0xE0 || c == 0xB8; }

char lower_case(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDF)) return char(c + 0x20);
    return c == 0xA8 ? char(0xB8) : char(c);
}

// A user who types "co" wants "cons", not "CONS".
bool typed_in_lower_case(const std::string &typed) {
    for (auto it = typed.rbegin(); it != typed.rend(); ++it)
        if (is_alpha((unsigned char)*it)) return is_lower_case((unsigned char)*it);
    return false;
}

// The newest global binding of `name`, found by walking the global frame,
// which interns nothing; UNBOUND when there is none.
int global_binding(const std::string &name) {
    int names = first_word(nptr), values = first_word(vptr);
    for (int steps = 0; is_pair(names) && is_pair(values) && steps < MEM_SIZE; steps++) {
        int bound = first_word(names);
        if (is_symbol(bound) && name == symbol_name(bound)) return first_word(values);
        names = second_word(names);
        values = second_word(values);
    }
    return UNBOUND;
}

// A promise is a closure too.
bool is_function(int value) { return is_closure(value) && !is_lazy(value); }

// The written form of a value, forcing no promise.
std::string written_value(int value) {
    int saved_lazy_mode = lazy_mode;
    lazy_mode = 0;
    std::string text = written([&] { print_list(value); });
    lazy_mode = saved_lazy_mode;
    return text;
}

bool is_keyword(const std::string &name) {
    for (int i = 0; i < KEYWORD_WORDS; i++)
        if (name == keyword_word(i)) return true;
    return false;
}

std::string arity_text(int row) {
    int arity = func[row].arity;
    return arity == 100 ? "100 (все аргументы)" : std::to_string(arity);
}
}  // namespace

completion_reply complete_name(const std::string &code, int cursor) {
    std::string text = in_code_page(code);
    std::size_t end = std::min<std::size_t>(std::size_t(std::max(cursor, 0)), text.size());
    std::size_t start = name_start(text, end);
    completion_reply reply {{}, int(start), int(end)};
    std::string typed = text.substr(start, end - start);
    if (typed.empty() || (typed[0] >= '0' && typed[0] <= '9') || !heap_ready()) return reply;
    std::string prefix = typed;
    upper(prefix.data());
    bool lower = typed_in_lower_case(typed);
    for (std::string name : completions(prefix)) {
        if (lower)
            for (char &c : name) c = lower_case((unsigned char)c);
        reply.matches.push_back(in_utf8(name));
    }
    return reply;
}

std::optional<std::string> inspect_name(const std::string &code, int cursor) {
    std::string text = in_code_page(code);
    std::size_t at = std::min<std::size_t>(std::size_t(std::max(cursor, 0)), text.size());
    std::size_t start = name_start(text, at), end = at;
    while (end < text.size() && inside_name(text, end)) end++;
    if (end < text.size() && text[end] == '?') end++;
    std::string name = text.substr(start, end - start);
    if (name.empty() || !heap_ready()) return std::nullopt;
    upper(name.data());
    std::string shown = in_utf8(name);
    int value = global_binding(name);
    if (value != UNBOUND) {
        const char *what = is_function(value) ? ": функция, определённая в сеансе\n" : ": имя, определённое в сеансе\n";
        return shown + what + written_value(value);
    }
    if (is_cadr(name.c_str())) return shown + ": встроенная функция (семейство C[AD]+R), арность " + arity_text(CADR_ROW);
    if (int row = builtin_row(name.c_str())) return shown + ": встроенная функция, арность " + arity_text(row);
    if (is_keyword(name)) return shown + ": ключевое слово";
    return std::nullopt;
}

std::string completeness(const std::string &code) {
    std::string text = code;
    if (text.empty() || text.back() != '\n') text += '\n';
    switch (dry_parse(text)) {
    case parse_verdict::complete: return "complete";
    case parse_verdict::incomplete: return "incomplete";
    case parse_verdict::invalid: return "invalid";
    case parse_verdict::unknown: break;
    }
    return "unknown";
}

std::string banner_text() {
    std::string text = written(print_banner);
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

std::string language_version() {
    std::string line = in_utf8(version_line());
    std::size_t start = line.find_first_of("0123456789");
    if (start == std::string::npos) return "";
    std::size_t end = line.find_first_not_of("0123456789.", start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}
