// The input source. Owns the line buffer, currchar/nextchar and the flag that
// holds back the next read until a line end has been handed out twice, so a
// statement that ends a keyboard line is answered before the next prompt.
//
// Lines are read whole, decoded to code page 1251 when they are valid UTF-8,
// and then handed out in pieces of at most 10239 characters, as a 10240-byte
// fgets buffer would cut them; a NUL ends what is handed out of a piece.
// Starting a source empties only the current piece: the rest of a keyboard
// line is read after a LOADed file, as the next piece would be. A source set
// aside for a parse of other text is kept whole until it is brought back.
#include "reader/input.h"

#include <cstring>
#include <new>
#include <string>

#include "console/encoding.h"
#include "console/output.h"
#include "errors/xerror.h"
#include "reader/lexer.h"

int currchar;
int nextchar = '\n';
keyboard_line_reader read_keyboard_line;
keyboard_prompter show_keyboard_prompt;

namespace {
constexpr std::size_t PIECE_SIZE = 10239;
// A line buffer larger than this is given back once its line has been read.
constexpr std::size_t RETAINED_LINE_CAPACITY = std::size_t(1) << 20;

FILE *in;
std::string in_name;  // of the source file, for error 16
bool in_failed;       // a read of the source file has failed
bool in_line_cut;     // its current line could not be held: skip its rest
std::string input_buf;     // the current piece, cut at its first NUL
std::size_t input_pos;
int flag;
// A decoded physical line and how much of it the pieces have taken. The
// keyboard's survives the reading of a LOADed file: the rest of the line
// that held the LOAD is the keyboard's next piece.
struct physical_line {
    std::string text;
    std::size_t pos = 0;
    int number = 0;  // of lines read from this source so far
};
physical_line file_line;
physical_line keyboard_line;
std::string raw_line;

// The source line of nextchar and of currchar, counted from 1.
int nextchar_line;
int currchar_line;

physical_line &current_line() { return in ? file_line : keyboard_line; }

// A line of the source file. Of one too long to hold, the rest is skipped
// by the next read, after the failure has been reported; a read error is
// error 16 for the file, after which the file reads as ended.
// Only the interpreter's thread reads the source, so bytes are taken
// without locking the stream.
bool read_file_line() {
    raw_line.clear();
    if (in_failed) return false;
    int c = 0;
    if (in_line_cut) {
        in_line_cut = false;
        while (c != '\n' && c != EOF) c = getc_unlocked(in);
    }
    try {
        while ((c = getc_unlocked(in)) != EOF) {
            raw_line += char(c);
            if (c == '\n') break;
        }
    } catch (const std::bad_alloc &) {
        in_line_cut = c != '\n';
        throw;
    }
    if (c == EOF && ferror(in)) {
        in_failed = true;
        raise_error(ERR_OPEN, in_name.c_str());
    }
    return !raw_line.empty();
}

bool read_physical_line(physical_line &line) {
    bool got;
    try {
        got = in ? read_file_line() : read_keyboard_line && read_keyboard_line(raw_line);
        if (got && !console_is_cp1251()) utf8_to_cp1251(raw_line);
    } catch (const std::bad_alloc &) {
        // The line is gone; so is the memory it had taken.
        std::string().swap(raw_line);
        line.number++;
        throw;
    }
    if (!got) return false;
    line.text.swap(raw_line);
    if (raw_line.capacity() > RETAINED_LINE_CAPACITY) std::string().swap(raw_line);
    line.pos = 0;
    line.number++;
    return true;
}

bool read_piece() {
    physical_line &line = current_line();
    if (line.pos >= line.text.size() && !read_physical_line(line)) return false;
    std::size_t take = std::min(PIECE_SIZE, line.text.size() - line.pos);
    input_buf.assign(line.text, line.pos, take);
    line.pos += take;
    nextchar_line = line.number;
    input_buf.resize(strlen(input_buf.c_str()));
    return true;
}

void echo_piece() {
    out_kind(output_kind::echo);
    out_bytes(input_buf.data(), input_buf.size());
    if (input_buf.empty() || input_buf.back() != '\n') out_char('\n');
    out_flush();
}

bool is_transcript_line() { return input_buf.size() >= 2 && input_buf[0] == '-' && input_buf[1] == '>'; }
}  // namespace

void init_in(FILE *file, const char *name) {
    in = file;
    in_name = name ? name : "";
    in_failed = false;
    in_line_cut = false;
    nextchar = '\n';
    flag = 0;
    input_buf.clear();
    input_pos = 0;
    if (file) file_line = {};
    nextchar_line = current_line().number;
    lexer_restart();
    getnext();
}

bool reading_file() { return in != nullptr; }

int input_line() { return currchar_line; }

int lines_read() { return current_line().number; }

void getnext() {
    currchar = nextchar;
    currchar_line = nextchar_line;
    if (flag) {
        flag = 0;
        return;
    }
    if (currchar == '\n' && !in && show_keyboard_prompt) show_keyboard_prompt();
    if (nextchar == -1) return;
    if (input_pos < input_buf.size()) {
        nextchar = (unsigned char)input_buf[input_pos++];
    } else {
        do {
            if (!read_piece()) {
                nextchar = -1;
                input_buf.clear();
                input_pos = 0;
                return;
            }
        } while (is_transcript_line());
        // A piece that begins with NUL hands out that NUL and nothing more.
        nextchar = input_buf.empty() ? 0 : (unsigned char)input_buf[0];
        input_pos = 1;
        if (in) echo_piece();
    }
    if (nextchar == '\n') flag = 1;
}

void echo_rest_of_file() {
    while (in && read_piece())
        if (!is_transcript_line()) echo_piece();
    input_buf.clear();
    input_pos = 0;
}

void skip_space() {
    while ((unsigned)currchar <= 32 && currchar != -1) getnext();
}

void clear_in() {
    nextchar = '\n';
    input_pos = 0;
    input_buf.clear();
    keyboard_line.text.clear();
    keyboard_line.pos = 0;
}

void input_reset() {
    clear_in();
    keyboard_line = {};
    file_line = {};
    in = nullptr;
    nextchar_line = currchar_line = 0;
}

namespace {
struct input_source {
    int currchar, nextchar;
    FILE *in;
    std::string in_name;
    bool in_failed, in_line_cut;
    std::string input_buf;
    std::size_t input_pos;
    int flag;
    physical_line file_line, keyboard_line;
    int nextchar_line, currchar_line;
    keyboard_line_reader read_keyboard_line;
    keyboard_prompter show_keyboard_prompt;
};
input_source set_aside_source;
}  // namespace

void input_set_aside() {
    set_aside_source = {currchar,      nextchar,      in,          std::move(in_name),
                        in_failed,     in_line_cut,   std::move(input_buf), input_pos,
                        flag,          std::move(file_line), std::move(keyboard_line),
                        nextchar_line, currchar_line, read_keyboard_line, show_keyboard_prompt};
    input_reset();
    in_name.clear();
    in_failed = in_line_cut = false;
    currchar = 0;
    nextchar = '\n';
    flag = 0;
    read_keyboard_line = nullptr;
    show_keyboard_prompt = nullptr;
}

void input_bring_back() {
    input_source &s = set_aside_source;
    currchar = s.currchar;
    nextchar = s.nextchar;
    in = s.in;
    in_name = std::move(s.in_name);
    in_failed = s.in_failed;
    in_line_cut = s.in_line_cut;
    input_buf = std::move(s.input_buf);
    input_pos = s.input_pos;
    flag = s.flag;
    file_line = std::move(s.file_line);
    keyboard_line = std::move(s.keyboard_line);
    nextchar_line = s.nextchar_line;
    currchar_line = s.currchar_line;
    read_keyboard_line = s.read_keyboard_line;
    show_keyboard_prompt = s.show_keyboard_prompt;
    s = {};
}
