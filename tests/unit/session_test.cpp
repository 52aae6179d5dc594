// The embedding interface as front ends use it: output in pieces of one
// kind, each statement told with its lines, keyboard lines fed by the host,
// interrupts and a host that ends the session.
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "driver/session.h"
#include "errors/xerrmsg.h"

namespace {
struct piece {
    output_kind kind;
    std::string text;
    bool operator==(const piece &) const = default;
};

struct recording {
    std::vector<piece> output;
    std::vector<statement_event> statements;
    std::vector<std::string> sources;  // the events' source names, kept past the event
};

// Runs a fresh session over `keyboard`, merging output of one kind that
// follows output of the same kind.
int run(recording &log, std::deque<std::string> keyboard, session_options options = {},
        std::function<void(const statement_event &)> also = nullptr) {
    session_reset();
    options.utf8 = true;
    options.heap_cells = 20000;
    session_host host;
    host.write = [&](output_kind kind, std::string_view bytes) {
        if (!log.output.empty() && log.output.back().kind == kind)
            log.output.back().text += bytes;
        else
            log.output.push_back({kind, std::string(bytes)});
    };
    host.read_line = [&](std::string &line) {
        if (keyboard.empty()) return false;
        line = keyboard.front();
        keyboard.pop_front();
        return true;
    };
    host.statement_done = [&](const statement_event &event) {
        log.statements.push_back(event);
        log.sources.emplace_back(event.source);
        if (also) also(event);
    };
    return session_run(options, host);
}

std::string temporary_file(const std::string &text) {
    char name[] = "/tmp/jor-session-XXXXXX";
    int fd = mkstemp(name);
    FILE *file = fdopen(fd, "w");
    fputs(text.c_str(), file);
    fclose(file);
    return name;
}
}  // namespace

TEST(Session, KeyboardOutputComesInKinds) {
    recording log;
    EXPECT_EQ(run(log, {"f(x) = x * x;\n", "f(3); car(1);\n", "f(4)\n", ";\n"}), 0);
    std::vector<piece> expected {
        {output_kind::banner, "JOR - функциональный язык, посвящённый всем, кто учит и учится.\n"
                              "Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.\n"},
        {output_kind::prompt, "> "}, {output_kind::result, "F\n"},
        {output_kind::prompt, "> "}, {output_kind::result, "9\n"},
        {output_kind::report, "-> Неверный аргумент функции CAR\n-> в выражении (CAR 1)\n"
                              "-> при вызове CAR с аргументами (1)\n"},
        {output_kind::prompt, "> > "}, {output_kind::result, "16\n"}, {output_kind::prompt, "> "},
    };
    EXPECT_EQ(log.output, expected);
    ASSERT_EQ(log.statements.size(), 4u);
    // The statement f(4) began on the third keyboard line and ended on the fourth.
    int lines[][3] = {{1, 1, 0}, {2, 2, 0}, {2, 2, ERR_BAD_ARG}, {3, 4, 0}};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(log.sources[i], "");
        EXPECT_EQ(log.statements[i].first_line, lines[i][0]) << i;
        EXPECT_EQ(log.statements[i].last_line, lines[i][1]) << i;
        EXPECT_EQ(log.statements[i].error_code, lines[i][2]) << i;
    }
}

TEST(Session, FileStatementsAreToldWithTheirLines) {
    std::string path = temporary_file("// a comment\nx = 1;\n\ny =\n  car(x);\n-> 5\nz = 2;\n");
    recording log;
    session_options options;
    options.file = path;
    options.prompts = false;
    EXPECT_EQ(run(log, {"x + 1;\n"}, options), 0);
    ASSERT_EQ(log.statements.size(), 3u);
    EXPECT_EQ(log.sources[0], path);
    EXPECT_EQ(log.statements[0].first_line, 2);
    EXPECT_EQ(log.statements[1].first_line, 4);
    EXPECT_EQ(log.statements[1].last_line, 5);
    EXPECT_EQ(log.statements[1].error_code, ERR_BAD_ARG);
    EXPECT_EQ(log.sources[2], "");  // the keyboard after the failed file
    EXPECT_EQ(log.output.front(), (piece {output_kind::echo, "// a comment\nx = 1;\n"}));
    // The rest of the failed file is echoed, its "->" line left out; no prompt.
    EXPECT_EQ(log.output[log.output.size() - 2], (piece {output_kind::echo, "z = 2;\n"}));
    EXPECT_EQ(log.output.back(), (piece {output_kind::result, "2\n"}));
    remove(path.c_str());
}

TEST(Session, InterruptStopsTheNextEvaluationStepOnly) {
    recording log;
    bool interrupted = false;
    auto interrupt_once = [&](const statement_event &) {
        if (!interrupted) session_interrupt();
        interrupted = true;
    };
    run(log, {"1; 2;\n", "3;\n"}, {}, interrupt_once);
    ASSERT_EQ(log.statements.size(), 3u);
    EXPECT_EQ(log.statements[1].error_code, ERR_INTERRUPT);
    EXPECT_EQ(log.statements[2].error_code, 0);
}

TEST(Session, HostCanEndTheSessionAndQuitEndsItToo) {
    recording log;
    EXPECT_EQ(run(log, {"QUIT();\n", "1;\n"}), 0);
    EXPECT_EQ(log.output.back(), (piece {output_kind::text, "Bye\n"}));
    session_reset();
    session_options options;
    session_host host;
    int writes = 0;
    host.write = [&](output_kind, std::string_view) {
        if (++writes == 2) session_end(74);
    };
    host.read_line = [](std::string &line) {
        line = "1;\n";
        return true;  // a keyboard that never ends
    };
    EXPECT_EQ(session_run(options, host), 74);
}

// The host learns at each prompt whether the line continues a statement, and
// may drop that statement unread; the reader then starts afresh.
TEST(Session, HostSeesUnfinishedStatementsAndCanAbandonThem) {
    session_reset();
    session_options options;
    options.utf8 = true;
    options.banner = false;
    options.heap_cells = 20000;
    std::deque<std::string> keyboard {"1 +\n", "2;\n", "f(x) =\n", "DROP\n", "f;\n", "'(a\n", "b); /* c\n",
                                      "*/ 4; x\n", "DROP\n", "5;\n"};
    std::vector<bool> unfinished;
    std::string output;
    int reports = 0;
    session_host host;
    host.write = [&](output_kind kind, std::string_view bytes) {
        if (kind == output_kind::result || kind == output_kind::report) output += bytes;
    };
    host.prompt = [&] { unfinished.push_back(session_statement_unfinished()); };
    host.read_line = [&](std::string &line) {
        if (keyboard.empty()) return false;
        line = keyboard.front();
        keyboard.pop_front();
        if (line == "DROP\n") session_abandon_statement();
        return true;
    };
    host.statement_done = [&](const statement_event &event) { reports += event.error_code != 0; };
    EXPECT_EQ(session_run(options, host), 0);
    // One prompt before each line and one before the end of input.
    std::vector<bool> expected {false, true, false, true, false, false, true, true, true, false, false};
    EXPECT_EQ(unfinished, expected);
    EXPECT_EQ(output, "3\n-> Неизвестный символ F\n(A B)\n4\n5\n");
    EXPECT_EQ(reports, 1);
}
