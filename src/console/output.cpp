// Buffered output with the code page conversion of the console boundary.
// The buffer is flushed before every read of a line, after every result and
// report, and at exit, so the console never lags behind the session.
#include "console/output.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

#include "console/encoding.h"

namespace {
int out_fd = 1;
std::string pending;
bool raw_bytes = false;
bool conversion_known = false;
bool line_start = true;
constexpr std::size_t flush_threshold = 1 << 16;

void write_all(const char *p, std::size_t n) {
    while (n > 0) {
        ssize_t k = write(out_fd, p, n);
        if (k < 0) {
            if (errno == EINTR) continue;
            return;  // a closed console loses output; the session goes on
        }
        p += k;
        n -= std::size_t(k);
    }
}
}  // namespace

void out_redirect(int fd) {
    out_flush();
    out_fd = fd;
}

void out_flush() {
    if (pending.empty()) return;
    write_all(pending.data(), pending.size());
    pending.clear();
}

void out_bytes(const char *bytes, std::size_t n) {
    if (n == 0) return;
    if (!conversion_known) {
        raw_bytes = locale_is_cp1251();
        conversion_known = true;
    }
    if (raw_bytes)
        pending.append(bytes, n);
    else
        cp1251_to_utf8(bytes, n, pending);
    line_start = bytes[n - 1] == '\n';
    if (pending.size() >= flush_threshold) out_flush();
}

void out_str(const char *text) { out_bytes(text, strlen(text)); }

void out_char(int c) {
    char b = char(c);
    out_bytes(&b, 1);
}

void out_format(const char *format, ...) {
    char small[256];
    va_list ap;
    va_start(ap, format);
    int n = vsnprintf(small, sizeof small, format, ap);
    va_end(ap);
    if (n < 0) return;
    if (std::size_t(n) < sizeof small) {
        out_bytes(small, std::size_t(n));
        return;
    }
    std::string big(std::size_t(n) + 1, '\0');
    va_start(ap, format);
    vsnprintf(big.data(), big.size(), format, ap);
    va_end(ap);
    out_bytes(big.data(), std::size_t(n));
}

bool out_at_line_start() { return line_start; }

void out_reset() {
    pending.clear();
    out_fd = 1;
    line_start = true;
    conversion_known = false;
}
