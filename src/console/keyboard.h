// Keyboard lines: plain reads from standard input, or line editing with
// history when both standard input and output are terminals.
#pragma once
#include <csignal>
#include <string>
#include <vector>

// The names Tab may complete a word to: those that begin with `prefix`
// (code page 1251, upper case), in byte order, each once.
using completer = std::vector<std::string> (*)(const std::string &prefix);

struct keyboard_setup {
    bool output_is_console;  // no OUT file took the output
    completer complete;      // what Tab offers
    // A Ctrl-C during evaluation stores interrupt_code here.
    volatile std::sig_atomic_t *interrupt_flag;
    int interrupt_code;
};

// Decides once, at start-up, how the keyboard is read: with line editing,
// history and Ctrl-C when standard input and standard output are terminals
// and the output is the console; plainly otherwise.
void keyboard_start(const keyboard_setup &setup);
// Shows the prompt for the next keyboard line: "> ", or at a terminal ". "
// when the line continues an unfinished statement. While lines are edited
// the editor shows it when it reads the line.
void keyboard_prompt(bool continues);

enum class keyboard_read {
    line,     // a line was read
    end,      // the input has ended
    dropped,  // Ctrl-C threw away the line being typed; its prompt is due again
};
// Reads one line, its line end included when present. Of a line too long
// to hold, the failure goes on at once and the next read skips the rest, so
// nothing of that line is ever handed out.
keyboard_read keyboard_read_line(std::string &line);
// The longest beginning that all of `names` share.
std::string shared_beginning(const std::vector<std::string> &names);
