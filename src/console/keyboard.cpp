// Plain keyboard input from standard input.
#include "console/keyboard.h"

#include <cstdio>

#include "console/output.h"

void keyboard_prompt() {
    out_str("> ");
    out_flush();
}

bool keyboard_read_line(std::string &line) {
    line.clear();
    int c;
    while ((c = getc(stdin)) != EOF) {
        line += char(c);
        if (c == '\n') break;
    }
    return !line.empty();
}
