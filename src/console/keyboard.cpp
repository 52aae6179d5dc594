// Keyboard lines: plain reads from standard input, or, when standard input
// and output are both terminals, line editing with history and completion.
// Owns the line editor, its history and the prompt it is to show next.
//
// The editor hands back a line in the console's encoding with its line end,
// exactly as a plain read would; decoding it stays with the input source.
// Only the character type locale is set, and only for the editor: numbers
// are read and written with a decimal point whatever the user's locale.
#include "console/keyboard.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <new>

#include "console/output.h"
#include "console/signals.h"

#ifdef JOR_HAVE_LIBEDIT
#include <histedit.h>
#include <langinfo.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "console/encoding.h"
#include "console/history.h"
#include "text/chars.h"
#include "text/cp1251.h"
#endif

namespace {
constexpr char PROMPT[] = "> ";
constexpr char CONTINUATION_PROMPT[] = ". ";

bool interactive;  // Ctrl-C is ours: standard input and output are terminals
bool editing;      // and the line editor reads the lines
const char *due_prompt;  // what keyboard_prompt asked the editor to show next

bool line_cut;  // the last line could not be held: the next read skips its rest

// At a terminal a Ctrl-C makes the read fail with EINTR; the terminal has
// already thrown away what was typed.
keyboard_read plain_line(std::string &line) {
    line.clear();
    int c = 0;
    if (line_cut) {
        line_cut = false;
        while (c != '\n' && c != EOF) c = getc(stdin);
    }
    try {
        while ((c = getc(stdin)) != EOF) {
            line += char(c);
            if (c == '\n') break;
        }
    } catch (const std::bad_alloc &) {
        std::string().swap(line);
        line_cut = c != '\n';
        throw;
    }
    if (c == EOF && line.empty() && interactive && !feof(stdin) && take_keyboard_interrupt()) {
        clearerr(stdin);
        out_kind(output_kind::prompt);
        out_char('\n');
        out_flush();
        return keyboard_read::dropped;
    }
    return line.empty() ? keyboard_read::end : keyboard_read::line;
}

#ifdef JOR_HAVE_LIBEDIT
constexpr wchar_t INTERRUPT_KEY = 3;  // Ctrl-C, as read_key reports a Ctrl-C

struct key_binding {
    const char *keys;
    const char *command;
};
// Beside libedit's own emacs keys: the sequences terminals send for Home,
// End, Delete and Ctrl-arrows, history search, completion and Ctrl-C.
constexpr key_binding key_bindings[] = {
    {"\033[1~", "ed-move-to-beg"},     {"\033[7~", "ed-move-to-beg"},
    {"\033[H", "ed-move-to-beg"},      {"\033OH", "ed-move-to-beg"},
    {"\033[4~", "ed-move-to-end"},     {"\033[8~", "ed-move-to-end"},
    {"\033[F", "ed-move-to-end"},      {"\033OF", "ed-move-to-end"},
    {"\033[3~", "ed-delete-next-char"}, {"\033[1;5D", "ed-prev-word"},
    {"\033[1;5C", "em-next-word"},     {"^R", "em-inc-search-prev"},
    {"^I", "jor-complete"},            {"^C", "jor-drop-line"},
};

completer complete_names;
EditLine *editor;
History *history_list;
std::string history_file;  // empty: history lives only as long as the run
const char *shown_prompt = "";
bool line_dropped;
std::mbstate_t key_state;

char *prompt_text(EditLine *) { return const_cast<char *>(shown_prompt); }

// The editor's source of keys. A Ctrl-C is noted by its handler and
// arrives here as the interrupt key; a resize redraws the line.
int read_key(EditLine *e, wchar_t *key) {
    for (;;) {
        if (take_keyboard_interrupt()) {
            *key = INTERRUPT_KEY;
            return 1;
        }
        if (take_resize()) {
            el_resize(e);
            el_set(e, EL_REFRESH);
        }
        char byte;
        ssize_t n = read(STDIN_FILENO, &byte, 1);
        if (n == 0) return 0;
        if (n < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        std::size_t taken = mbrtowc(key, &byte, 1, &key_state);
        if (taken == std::size_t(-2)) continue;
        if (taken == std::size_t(-1)) {
            key_state = {};  // a byte that is no character is dropped
            continue;
        }
        return 1;
    }
}

// Ctrl-C at the prompt: the line stays on the screen marked "^C" and is
// finished there, and keyboard_read_line throws it away.
unsigned char drop_line(EditLine *e, int) {
    line_dropped = true;
    const LineInfoW *line = el_wline(e);
    el_cursor(e, int(line->lastchar - line->cursor));
    el_winsertstr(e, L"^C");
    el_push(e, "\n");
    return CC_REFRESH;
}

int cp1251_of(wchar_t c) { return c < 0 ? -1 : unicode_to_cp1251(char32_t(c)); }

bool is_lower_case(unsigned char c) { return (c >= 'a' && c <= 'z') || c >= 0xE0 || c == 0xB8; }

char to_lower_case(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDF)) return char(c + 0x20);
    return c == 0xA8 ? char(0xB8) : char(c);
}

// A completion is written in the case of the last letter typed, since a
// user who types "co" wants "cons", not "CONS".
std::wstring shown_form(const std::string &name, bool lower_case) {
    std::wstring text;
    for (char c : name)
        text += wchar_t(cp1251_to_unicode(lower_case ? to_lower_case(c) : c));
    return text;
}

bool typed_in_lower_case(const std::string &typed) {
    for (auto it = typed.rbegin(); it != typed.rend(); ++it)
        if (is_alpha((unsigned char)*it)) return is_lower_case(*it);
    return false;
}

int terminal_width() {
    winsize size {};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return 80;
}

// Lists the choices under the line in columns; the editor then redraws the
// prompt and the line below them.
void show_choices(const std::vector<std::string> &names, bool lower_case) {
    std::size_t widest = 0;
    for (const std::string &name : names) widest = std::max(widest, name.size());
    std::size_t column = widest + 2;
    std::size_t per_row = std::max<std::size_t>(1, std::size_t(terminal_width()) / column);
    out_kind(output_kind::text);
    out_char('\n');
    for (std::size_t i = 0; i < names.size(); i++) {
        std::string name = names[i];
        if (lower_case)
            for (char &c : name) c = to_lower_case(c);
        bool row_ends = (i + 1) % per_row == 0 || i + 1 == names.size();
        if (!row_ends) name.resize(column, ' ');
        out_str(name.c_str());
        if (row_ends) out_char('\n');
    }
    out_flush();
}

// Tab: completes the name before the cursor as far as the choices agree,
// and lists them when they agree no further.
unsigned char complete_name(EditLine *e, int) {
    const LineInfoW *line = el_wline(e);
    const wchar_t *start = line->cursor;
    while (start > line->buffer && is_name_char(cp1251_of(start[-1]))) --start;
    std::string typed;
    for (const wchar_t *p = start; p < line->cursor; p++) typed += char(cp1251_of(*p));
    if (typed.empty() || (typed[0] >= '0' && typed[0] <= '9')) return CC_ERROR;
    std::string prefix = typed;
    upper(prefix.data());
    if (!complete_names) return CC_ERROR;
    std::vector<std::string> names = complete_names(prefix);
    if (names.empty()) return CC_ERROR;
    bool lower_case = typed_in_lower_case(typed);
    std::string shared = shared_beginning(names);
    if (shared.size() > prefix.size()) {
        el_winsertstr(e, shown_form(shared.substr(prefix.size()), lower_case).c_str());
        return CC_REFRESH;
    }
    if (names.size() == 1) return CC_NORM;
    show_choices(names, lower_case);
    return CC_REDISPLAY;
}

bool codeset_is(std::initializer_list<std::string_view> names) {
    const char *codeset = nl_langinfo(CODESET);
    for (std::string_view name : names)
        if (strcasecmp(codeset, std::string(name).c_str()) == 0) return true;
    return false;
}

// The editor measures and shows characters by the character type locale,
// which must therefore speak the console's encoding.
bool choose_character_locale() {
    bool utf8 = !console_is_cp1251();
    auto fits = [&] { return utf8 ? codeset_is({"UTF-8", "UTF8"}) : codeset_is({"CP1251", "WINDOWS-1251"}); };
    if (setlocale(LC_CTYPE, "") && fits()) return true;
    if (utf8 && setlocale(LC_CTYPE, "C.UTF-8") && fits()) return true;
    setlocale(LC_CTYPE, "C");
    return false;
}

// The editor keeps the history in memory and never touches the file: the
// file is read and written here, line by line checked, so a foreign or
// damaged file can neither overrun the editor nor be overwritten.
void open_history() {
    HistEvent event;
    history_list = history_init();
    history(history_list, &event, H_SETSIZE, int(HISTORY_ENTRIES));
    history(history_list, &event, H_SETUNIQUE, 1);
    const char *home = getenv("HOME");
    std::vector<std::string> entries;
    if (home && *home) {
        history_file = std::string(home) + "/.jor_history";
        if (!history_load(history_file, entries)) history_file.clear();
    }
    for (const std::string &entry : entries) history(history_list, &event, H_ENTER, entry.c_str());
    el_set(editor, EL_HIST, history, history_list);
}

// Saved after every line, so QUIT and a closed terminal lose nothing. A
// home that cannot be written to keeps the history for this run only.
void remember(std::string entry) {
    if (!entry.empty() && entry.back() == '\n') entry.pop_back();
    if (entry.find_first_not_of(" \t\r") == std::string::npos) return;
    HistEvent event;
    history(history_list, &event, H_ENTER, entry.c_str());
    if (!history_file.empty() && history_entry_fits(entry) && !history_save(history_file, entry))
        history_file.clear();
}

bool start_editing() {
    if (!choose_character_locale()) return false;
    editor = el_init("jor", stdin, stdout, stderr);
    if (!editor) return false;
    el_set(editor, EL_EDITOR, "emacs");
    el_set(editor, EL_SIGNAL, 0);
    el_set(editor, EL_PROMPT, prompt_text);
    el_set(editor, EL_GETCFN, read_key);
    el_set(editor, EL_ADDFN, "jor-complete", "Complete a keyword or name", complete_name);
    el_set(editor, EL_ADDFN, "jor-drop-line", "Drop the line being typed", drop_line);
    for (const key_binding &binding : key_bindings) el_set(editor, EL_BIND, binding.keys, binding.command, nullptr);
    open_history();
    return true;
}

keyboard_read edited_line(std::string &line) {
    shown_prompt = due_prompt ? due_prompt : "";
    due_prompt = nullptr;
    watch_resizes(true);
    el_resize(editor);
    line_dropped = false;
    int count = 0;
    const char *text = el_gets(editor, &count);
    watch_resizes(false);
    line.clear();
    if (line_dropped) return keyboard_read::dropped;
    if (text && count > 0) {
        line.assign(text, std::size_t(count));
        remember(line);
        return keyboard_read::line;
    }
    // The editor shows Ctrl-D as "^D"; whatever runs next starts on a line of its own.
    out_kind(output_kind::text);
    out_char('\n');
    return keyboard_read::end;
}
#else
bool start_editing() { return false; }
keyboard_read edited_line(std::string &line) { return plain_line(line); }
#endif
}  // namespace

void keyboard_start(const keyboard_setup &setup) {
#ifdef JOR_HAVE_LIBEDIT
    complete_names = setup.complete;
#endif
    bool output_is_console = setup.output_is_console;
    interactive = output_is_console && isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
    console_signals_start(interactive, setup.interrupt_flag, setup.interrupt_code);
    // Another run in the same process keeps the editor the first one made.
    if (interactive && !editing) editing = start_editing();
}

void keyboard_prompt(bool continues) {
    const char *prompt = continues && interactive ? CONTINUATION_PROMPT : PROMPT;
    if (editing) {
        due_prompt = prompt;
    } else {
        out_kind(output_kind::prompt);
        out_str(prompt);
    }
    out_flush();
}

keyboard_read keyboard_read_line(std::string &line) {
    out_flush();
    keyboard_wait_begins();
    keyboard_read got = editing ? edited_line(line) : plain_line(line);
    keyboard_wait_ends();
    return got;
}

std::string shared_beginning(const std::vector<std::string> &names) {
    if (names.empty()) return {};
    std::string shared = names.front();
    for (const std::string &name : names) {
        std::size_t n = 0;
        while (n < shared.size() && n < name.size() && shared[n] == name[n]) n++;
        shared.resize(n);
    }
    return shared;
}
