// The transcript checker: runs each file named after --check in a fresh
// session with no keyboard, and writes where what it prints departs from the
// "-> " lines the file holds, then one summary line. Owns no state between
// files: each run is recorded in a local record.
#include "driver/check.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "console/encoding.h"
#include "console/signals.h"
#include "driver/driver.h"
#include "driver/files.h"
#include "driver/session.h"
#include "text/cp1251.h"

namespace {
constexpr cp_text<64> usage = "Использование: jor --check [-m N] FILE...\n";
constexpr cp_text<48> bad_heap = "jor: неверный размер кучи: -m ";
constexpr cp_text<48> cannot_read = ": не удаётся прочитать файл: ";
constexpr cp_text<24> expected_label = "  ожидалось:   ";
constexpr cp_text<24> actual_label = "  получено:    ";
constexpr cp_text<24> unrecorded_label = "  не записано: ";
constexpr cp_text<16> nothing = "(ничего)";
constexpr cp_text<24> more_lines = "… ещё строк: ";
constexpr cp_text<48> lines_differ = " вывод расходится с текстом файла";
constexpr cp_text<32> after_error = " после ошибки в строке ";
constexpr cp_text<96> rest_not_run = " остаток файла не выполнялся, хотя в нём записаны результаты (строк: ";
constexpr cp_text<64> output_cut = ": вывод прерван, он длиннее самого файла";
constexpr cp_text<32> checked_files = "Проверено файлов: ";
constexpr cp_text<8> out_of = " из ";
constexpr cp_text<24> statements_label = ", операторов: ";
constexpr cp_text<24> differences_label = "; различий: ";

constexpr int EXIT_DIFFERS = 1;
constexpr int EXIT_CANNOT_CHECK = 2;
// Status of a run stopped for printing more than its file could hold: a
// transcript that long cannot match, and a file that LOADs itself would
// never stop on its own.
constexpr int RUN_CUT = -1;
constexpr std::size_t OUTPUT_SLACK = 1 << 16;
// How much of a statement and of each side of a difference is written.
constexpr std::size_t STATEMENT_LINES = 6;
constexpr std::size_t RESULT_LINES = 12;
constexpr std::size_t LABEL_WIDTH = 15;

constexpr const char *BOLD = "\033[1m";
constexpr const char *GREEN = "\033[32m";
constexpr const char *RED = "\033[31m";
constexpr const char *PLAIN = "\033[0m";

// 0, or the errno that kept the file from being read whole.
int read_whole(const std::string &path, std::string &bytes) {
    FILE *file = fopen(path.c_str(), "rb");
    if (!file) return errno;
    struct stat info;
    if (fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
        fclose(file);
        return EISDIR;
    }
    char buffer[1 << 16];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
    int error = ferror(file) ? (errno ? errno : EIO) : 0;
    fclose(file);
    return error;
}

std::string folder_of(const std::string &path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return "";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// -m N in check mode: N whole thousands of cells, at least one, that the
// heap's int count can hold.
bool read_heap_size(const char *text, long long &cells) {
    long long n = 0;
    for (const char *p = text; *p; p++) {
        if (*p < '0' || *p > '9') return false;
        n = n * 10 + (*p - '0');
        if (n > INT_MAX / 1000) return false;
    }
    if (n == 0) return false;
    cells = n * 1000;
    return true;
}

struct report {
    std::string text;
    bool colour;

    void paint(const std::string &s, const char *code) {
        if (colour) text += code;
        text += s;
        if (colour) text += PLAIN;
    }
};

void write_lines(report &r, const char *label, const std::vector<std::string> &lines, const char *colour) {
    r.text += console_text(label);
    if (lines.empty()) {
        r.paint(console_text(nothing), colour);
        r.text += '\n';
    }
    std::size_t count = lines.size() > RESULT_LINES ? RESULT_LINES - 1 : lines.size();
    for (std::size_t i = 0; i < count; i++) {
        if (i > 0) r.text += std::string(LABEL_WIDTH, ' ');
        r.paint(lines[i], colour);
        r.text += '\n';
    }
    if (count < lines.size())
        r.text += std::string(LABEL_WIDTH, ' ') + console_text(more_lines) + std::to_string(lines.size() - count) + "\n";
}

void write_statement(report &r, const std::vector<std::string> &lines) {
    if (!lines.empty()) r.text += " " + lines[0];
    r.text += '\n';
    for (std::size_t i = 1; i < lines.size() && i < STATEMENT_LINES; i++) r.text += "    " + lines[i] + "\n";
    if (lines.size() > STATEMENT_LINES) r.text += "    " + console_text(more_lines) + std::to_string(lines.size() - STATEMENT_LINES) + "\n";
}

void write_difference(report &r, const std::string &name, const difference &d) {
    r.paint(name + ":" + std::to_string(d.line) + ":", BOLD);
    switch (d.kind) {
    case difference_kind::not_run:
        r.text += console_text(after_error) + std::to_string(d.error_line) + console_text(rest_not_run) + std::to_string(d.count) + ")\n";
        return;
    case difference_kind::lines:
        r.text += console_text(lines_differ) + "\n";
        write_lines(r, expected_label, d.expected, GREEN);
        write_lines(r, actual_label, d.actual, RED);
        return;
    case difference_kind::unrecorded:
        write_statement(r, d.statement);
        write_lines(r, unrecorded_label, d.actual, RED);
        return;
    case difference_kind::differs:
    case difference_kind::missing:
        write_statement(r, d.statement);
        write_lines(r, expected_label, d.expected, GREEN);
        write_lines(r, actual_label, d.actual, RED);
        return;
    }
}

// The first line the run printed, without its "-> ": what ended a session
// that could not start.
std::string first_message(const recorded_run &run) {
    for (const auto &block : run.printed.blocks) {
        if (block.results.empty()) continue;
        const std::string &line = block.results.front().text;
        return line.rfind("-> ", 0) == 0 ? line.substr(3) : line;
    }
    return "";
}

bool colour_wanted() {
    const char *term = getenv("TERM");
    const char *no_colour = getenv("NO_COLOR");
    return isatty(STDOUT_FILENO) && term && strcmp(term, "dumb") != 0 && !(no_colour && *no_colour);
}

int usage_error(const std::string &before) {
    return console_write_bytes(before + console_text(usage)) ? EXIT_CANNOT_CHECK : EXIT_WRITE_FAILED;
}
}  // namespace

file_check check_file(const std::string &path, long long heap_cells) {
    file_check result;
    std::string bytes;
    if (int error = read_whole(path, bytes)) {
        result.problem = console_text(cannot_read) + strerror(error);
        return result;
    }
    recorded_run run = start_recording();
    bool cut = false;
    std::size_t limit = 2 * bytes.size() + OUTPUT_SLACK;
    session_options options;
    options.heap_cells = heap_cells;
    options.file = path;
    options.banner = false;
    options.prompts = false;
    options.load_folder = folder_of(path);
    session_host host;
    host.write = [&](output_kind kind, std::string_view piece) {
        if (cut) return;
        record_output(run, kind, piece);
        if (run.bytes > limit) {
            cut = true;
            session_end(RUN_CUT);
        }
    };
    host.statement_done = [&](const statement_event &event) { record_statement(run, event); };
    session_reset();
    int status = session_run(options, host);
    finish_recording(run);
    // Only a heap that cannot be set up ends a session without a keyboard
    // with a status of its own.
    if (status != 0 && status != RUN_CUT) {
        result.problem = ": " + first_message(run);
        return result;
    }
    result.ran = true;
    result.cut = cut;
    result.statements = int(run.statements.size());
    transcript expected = read_transcript(bytes, console_is_cp1251());
    result.differences = compare_run(expected, run, internal_name(path.c_str()));
    return result;
}

int check_main(int argc, char **argv) {
    guard_closed_standard_output();
    console_signals_start(false, nullptr, 0);
    long long heap_cells = session_options {}.heap_cells;
    int first = 2;
    if (argc - first >= 2 && strcmp(argv[first], "-m") == 0) {
        if (!read_heap_size(argv[first + 1], heap_cells)) return usage_error(console_text(bad_heap) + argv[first + 1] + "\n");
        first += 2;
    }
    if (first == argc) return usage_error("");
    report r {"", colour_wanted()};
    int files = argc - first, checked = 0, statements = 0, differences = 0;
    for (int i = first; i < argc; i++) {
        std::string name = argv[i];
        file_check result = check_file(name, heap_cells);
        r.text.clear();
        if (!result.ran) {
            r.paint(name, BOLD);
            r.text += result.problem + "\n";
        } else {
            checked++;
            statements += result.statements;
            differences += int(result.differences.size()) + (result.cut ? 1 : 0);
            for (const auto &d : result.differences) write_difference(r, name, d);
            if (result.cut) {
                r.paint(name, BOLD);
                r.text += console_text(output_cut) + "\n";
            }
        }
        if (!console_write_bytes(r.text)) return EXIT_WRITE_FAILED;
    }
    std::string summary = console_text(checked_files) + std::to_string(checked);
    if (checked < files) summary += console_text(out_of) + std::to_string(files);
    summary += console_text(statements_label) + std::to_string(statements) + console_text(differences_label) +
               std::to_string(differences) + ".\n";
    if (!console_write_bytes(summary)) return EXIT_WRITE_FAILED;
    if (checked < files) return EXIT_CANNOT_CHECK;
    return differences > 0 ? EXIT_DIFFERS : 0;
}
