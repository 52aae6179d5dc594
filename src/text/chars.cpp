// The character classes of names, and upper-casing, in code page 1251:
// Cyrillic letters are letters like the Latin ones. Owns no state.
#include "text/chars.h"

void upper(char *s) {
    for (; *s; s++) {
        unsigned char c = *s;
        if (c >= 'a' && c <= 'z') *s = char(c - 'a' + 'A');
        else if (c >= 0xE0) *s = char(c - 0x20);
        else if (c == 0xB8) *s = char(0xA8);
    }
}

int is_alpha(int ch) {
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= 0xC0 && ch <= 0xFF) || ch == 0xA8 ||
           ch == 0xB8;
}

int is_alnum(int ch) { return is_alpha(ch) || (ch >= '0' && ch <= '9'); }

bool is_name_char(int c) { return is_alnum(c) || c == '_' || c == '.'; }
