// The history file: its lines checked as they are read, and saving that
// appends under a lock and trims to the newest entries. Holds no state.
//
// The format is the one libedit writes, so files of earlier versions stay
// readable: a header line, then one entry a line with blanks, backslashes
// and control bytes as a backslash and three octal digits. Nothing here
// trusts the file: a line is decoded into a string that grows as needed and
// is dropped when anything in it is out of place.
#include "console/history.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string_view>

#include "console/encoding.h"

namespace {
constexpr std::string_view HEADER = "_HiStOrY_V2_";
// No file this program writes is larger: each byte of an entry takes at most
// four in the file.
constexpr std::size_t LARGEST_FILE = HEADER.size() + 1 + HISTORY_ENTRIES * (4 * HISTORY_LINE_LIMIT + 1);

bool is_control(unsigned char c) { return (c < ' ' && c != '\t') || c == 0x7F; }

std::string encoded(const std::string &entry) {
    std::string line;
    for (unsigned char c : entry) {
        if (c <= ' ' || c == '\\' || c == 0x7F) {
            char octal[8];
            snprintf(octal, sizeof octal, "\\%03o", c);
            line += octal;
        } else {
            line += char(c);
        }
    }
    return line;
}

bool is_octal(char c) { return c >= '0' && c <= '7'; }

// The entry a line of the file holds; false when the line is malformed (an
// escape other than three octal digits or a doubled backslash) or the entry
// does not fit.
bool decoded(std::string_view line, std::string &entry) {
    entry.clear();
    for (std::size_t i = 0; i < line.size(); i++) {
        if (entry.size() > HISTORY_LINE_LIMIT) return false;
        char c = line[i];
        if (c != '\\') {
            entry += c;
        } else if (i + 1 < line.size() && line[i + 1] == '\\') {
            entry += '\\';
            i++;
        } else if (i + 3 < line.size() && line[i + 1] <= '3' && is_octal(line[i + 1]) && is_octal(line[i + 2]) &&
                   is_octal(line[i + 3])) {
            entry += char((line[i + 1] - '0') * 64 + (line[i + 2] - '0') * 8 + (line[i + 3] - '0'));
            i += 3;
        } else {
            return false;
        }
    }
    return !entry.empty() && history_entry_fits(entry);
}

// The whole of a regular file not larger than any this program writes.
bool read_whole(int fd, std::string &text) {
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || std::size_t(info.st_size) > LARGEST_FILE) return false;
    text.resize(std::size_t(info.st_size));
    std::size_t got = 0;
    while (got < text.size()) {
        ssize_t n = read(fd, text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        got += std::size_t(n);
    }
    return true;
}

bool is_ours(std::string_view text) {
    return text.empty() || text == HEADER || (text.starts_with(HEADER) && text[HEADER.size()] == '\n');
}

// Every line of the file below the header; `entries` gets those that decode.
std::size_t parse(std::string_view text, std::vector<std::string> &entries) {
    std::size_t lines = 0;
    std::size_t start = text.find('\n');
    std::string entry;
    while (start != std::string_view::npos && start + 1 < text.size()) {
        std::size_t end = text.find('\n', start + 1);
        std::string_view line = text.substr(start + 1, end == std::string_view::npos ? end : end - start - 1);
        lines++;
        if (decoded(line, entry)) entries.push_back(entry);
        start = end;
    }
    return lines;
}

bool write_at(int fd, off_t offset, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = pwrite(fd, bytes.data(), bytes.size(), offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(std::size_t(n));
        offset += n;
    }
    return true;
}

void lock(int fd, int how) {
    while (flock(fd, how) != 0 && errno == EINTR) {
    }
}

// Writes the newest entries over the file. The new text goes in before the
// file is cut to its length, so an interrupted rewrite leaves whole lines.
void rewrite(int fd, const std::vector<std::string> &entries) {
    std::size_t first = entries.size() > HISTORY_ENTRIES ? entries.size() - HISTORY_ENTRIES : 0;
    std::string text(HEADER);
    text += '\n';
    for (std::size_t i = first; i < entries.size(); i++) text += encoded(entries[i]) + '\n';
    if (write_at(fd, 0, text)) {
        int ignored = ftruncate(fd, off_t(text.size()));
        (void)ignored;
    }
}
}  // namespace

bool history_entry_fits(const std::string &entry) {
    if (entry.size() > HISTORY_LINE_LIMIT) return false;
    for (unsigned char c : entry)
        if (is_control(c)) return false;
    return console_is_cp1251() || is_utf8(entry);
}

bool history_load(const std::string &path, std::vector<std::string> &entries) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT;
    lock(fd, LOCK_SH);
    std::string text;
    bool ours = read_whole(fd, text) && is_ours(text);
    close(fd);
    if (ours) parse(text, entries);
    return ours;
}

bool history_save(const std::string &path, const std::string &entry) {
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0600);
    if (fd < 0) return true;
    lock(fd, LOCK_EX);
    std::string text;
    bool ours = read_whole(fd, text) && is_ours(text);
    if (ours) {
        std::vector<std::string> entries;
        std::size_t lines = parse(text, entries);
        if (entries.empty() || entries.back() != entry) {
            if (lines < HISTORY_ENTRIES) {
                std::string added = text.empty() ? std::string(HEADER) + '\n' : "";
                if (!text.empty() && text.back() != '\n') added += '\n';
                added += encoded(entry) + '\n';
                write_at(fd, off_t(text.size()), added);
            } else {
                entries.push_back(entry);
                rewrite(fd, entries);
            }
        }
    }
    close(fd);
    return ours;
}
