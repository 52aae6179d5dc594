// Buffered output with the code page conversion of the console boundary.
// Owns the output buffer, the kind of what it holds and the sink.
//
// The buffer is flushed before every read of a line, after every result and
// report, when the kind of output changes, and at the end, so the console
// never lags behind the session and every hand-over is of one kind.
#include "console/output.h"

#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "console/encoding.h"

namespace {
int out_fd = 1;
output_sink sink;
std::string pending;
output_kind pending_kind = output_kind::text;
constexpr std::size_t flush_threshold = 1 << 16;
// Room kept in the buffer, so that no write below the threshold needs
// memory: an error report still comes out whole when none is left.
constexpr std::size_t kept_capacity = 2 * flush_threshold;

void write_to_descriptor(const char *p, std::size_t n) {
    while (n > 0) {
        ssize_t k = write(out_fd, p, n);
        if (k < 0) {
            if (errno == EINTR) continue;
            return;
        }
        p += k;
        n -= std::size_t(k);
    }
}
}  // namespace

void out_set_sink(output_sink new_sink) {
    out_flush();
    sink = new_sink;
}

void out_redirect(int fd) {
    out_flush();
    out_fd = fd;
}

void out_kind(output_kind kind) {
    if (kind == pending_kind) return;
    out_flush();
    pending_kind = kind;
}

void out_flush() {
    if (pending.empty()) return;
    // The buffer is emptied first: a sink that ends the run must not find
    // the same bytes again on the way out.
    std::string bytes;
    bytes.swap(pending);
    if (sink)
        sink(pending_kind, bytes.data(), bytes.size());
    else
        write_to_descriptor(bytes.data(), bytes.size());
    if (pending.empty()) {
        bytes.clear();
        pending.swap(bytes);
    }
}

void out_bytes(const char *bytes, std::size_t n) {
    if (n == 0) return;
    if (pending.capacity() < kept_capacity) pending.reserve(kept_capacity);
    if (console_is_cp1251())
        pending.append(bytes, n);
    else
        cp1251_to_utf8(bytes, n, pending);
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

void out_reset() {
    pending.clear();
    pending_kind = output_kind::text;
    out_fd = 1;
    sink = nullptr;
}
