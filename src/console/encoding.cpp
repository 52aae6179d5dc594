// Conversions between code page 1251 and UTF-8, and the locale test that
// decides which of the two the console speaks.
#include "console/encoding.h"

#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "text/cp1251.h"

bool locale_is_cp1251() {
    const char *value = nullptr;
    for (const char *var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        value = getenv(var);
        if (value && *value) break;
        value = nullptr;
    }
    if (!value) return false;
    const char *dot = strchr(value, '.');
    if (!dot) return false;
    std::string codeset(dot + 1);
    codeset = codeset.substr(0, codeset.find('@'));
    for (const char *name : {"CP1251", "WINDOWS-1251", "1251"})
        if (strcasecmp(codeset.c_str(), name) == 0) return true;
    return false;
}

namespace {
enum class console_encoding { unknown, utf8, cp1251 };
console_encoding chosen = console_encoding::unknown;
}  // namespace

bool console_is_cp1251() {
    if (chosen == console_encoding::unknown)
        chosen = locale_is_cp1251() ? console_encoding::cp1251 : console_encoding::utf8;
    return chosen == console_encoding::cp1251;
}

void set_console_cp1251(bool cp1251) { chosen = cp1251 ? console_encoding::cp1251 : console_encoding::utf8; }

void console_encoding_reset() { chosen = console_encoding::unknown; }

static void append_utf8(char32_t cp, std::string &out) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

void cp1251_to_utf8(const char *bytes, std::size_t n, std::string &out) {
    for (std::size_t i = 0; i < n; i++) {
        unsigned char c = bytes[i];
        if (c < 0x80) {
            out += char(c);
            continue;
        }
        char32_t cp = cp1251_to_unicode(c);
        append_utf8(cp ? cp : U'?', out);
    }
}

// Length of the UTF-8 sequence at s[i] and its code point, or 0 when malformed
// (overlong forms, surrogates and values past U+10FFFF included).
static int decode_utf8(const std::string &s, std::size_t i, char32_t &cp) {
    unsigned char c = s[i];
    int len;
    if (c < 0x80) { cp = c; return 1; }
    if (c >= 0xC2 && c <= 0xDF) { len = 2; cp = c & 0x1F; }
    else if (c >= 0xE0 && c <= 0xEF) { len = 3; cp = c & 0x0F; }
    else if (c >= 0xF0 && c <= 0xF4) { len = 4; cp = c & 0x07; }
    else return 0;
    if (i + len > s.size()) return 0;
    for (int k = 1; k < len; k++) {
        unsigned char t = s[i + k];
        if ((t & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (t & 0x3F);
    }
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

// 0 when `s` is not UTF-8, 1 when it is plain ASCII, 2 when it holds more.
static int utf8_kind(const std::string &s) {
    int kind = 1;
    for (std::size_t i = 0; i < s.size(); i++) {
        char32_t cp;
        int len = decode_utf8(s, i, cp);
        if (!len) return 0;
        if (len > 1) kind = 2;
        i += len - 1;
    }
    return kind;
}

bool is_utf8(const std::string &text) { return utf8_kind(text) != 0; }

bool utf8_to_cp1251(std::string &line) {
    int kind = utf8_kind(line);
    if (kind != 2) return kind == 1;
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size();) {
        char32_t cp;
        int len = decode_utf8(line, i, cp);
        int b = unicode_to_cp1251(cp);
        out += char(b < 0 ? '?' : b);
        i += len;
    }
    line.swap(out);
    return true;
}

std::string console_text(const char *cp1251_text) {
    if (console_is_cp1251()) return cp1251_text;
    std::string out;
    cp1251_to_utf8(cp1251_text, strlen(cp1251_text), out);
    return out;
}

std::string external_name(const char *cp1251_name) { return console_text(cp1251_name); }

std::string internal_name(const char *external) {
    std::string name(external);
    if (!console_is_cp1251()) utf8_to_cp1251(name);
    return name;
}
