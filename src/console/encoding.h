// Text encoding at the console boundary: the system holds every character as
// one byte of code page 1251; the console speaks UTF-8 unless the locale says 1251.
#pragma once
#include <cstddef>
#include <string>

// Unicode code points of the code page 1251 bytes 0x80-0xFF (0 for the one
// unassigned byte, 0x98).
inline constexpr char16_t cp1251_to_unicode_high[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

constexpr char32_t cp1251_to_unicode(unsigned char byte) {
    return byte < 0x80 ? byte : cp1251_to_unicode_high[byte - 0x80];
}

// Code page 1251 byte for a code point, or -1 when the code page lacks it.
constexpr int unicode_to_cp1251(char32_t cp) {
    if (cp < 0x80) return int(cp);
    if (cp >= 0x410 && cp <= 0x44F) return int(cp - 0x410 + 0xC0);
    for (int i = 0; i < 128; i++)
        if (cp1251_to_unicode_high[i] == cp && cp != 0) return 0x80 + i;
    return -1;
}

// A string literal written in UTF-8 in the source, held in code page 1251.
// Converted at compile time, so every message and keyword stays readable.
template <std::size_t Cap>
struct cp_text {
    char text[Cap] {};
    consteval cp_text(const char *utf8) {
        std::size_t out = 0;
        for (std::size_t i = 0; utf8[i];) {
            unsigned char c = utf8[i];
            char32_t cp;
            int len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
            cp = len == 1 ? c : len == 2 ? c & 0x1F : len == 3 ? c & 0x0F : c & 0x07;
            for (int k = 1; k < len; k++) cp = (cp << 6) | (utf8[i + k] & 0x3F);
            i += len;
            int b = unicode_to_cp1251(cp);
            if (b < 0 || out + 1 >= Cap) throw "literal not representable in code page 1251";
            text[out++] = char(b);
        }
    }
    constexpr operator const char *() const { return text; }
};

// True when the locale (LC_ALL, LC_CTYPE, LANG: the first that is set and not
// empty) names code page 1251; then the console gets raw bytes.
bool locale_is_cp1251();

// Appends the UTF-8 form of code page 1251 bytes to `out`.
void cp1251_to_utf8(const char *bytes, std::size_t n, std::string &out);

// Decodes a line that is valid UTF-8 into code page 1251 in place ('?' for a
// character the code page lacks) and returns true; leaves an invalid line
// untouched and returns false.
bool utf8_to_cp1251(std::string &line);

// The form of a file name as the file system expects it (the locale's encoding).
std::string external_name(const char *cp1251_name);
// The internal form of a name that came from the command line.
std::string internal_name(const char *external);
