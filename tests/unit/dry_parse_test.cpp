// Parsing without running: the verdict on keyboard text, and a session left
// exactly as it was, down to the free list, the symbol table and the
// keyboard's line count.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "cells/cell.h"
#include "cells/heap.h"
#include "driver/session.h"
#include "reader/dry_parse.h"
#include "support.h"

namespace {
// Runs `keyboard` in the current session; returns the results and reports
// it wrote, and the statements' first lines.
struct run_log {
    std::string output;
    std::vector<int> first_lines;
};

run_log run_keyboard(std::deque<std::string> keyboard) {
    run_log log;
    session_options options;
    options.heap_cells = 20000;
    options.banner = false;
    options.prompts = false;
    options.utf8 = true;
    session_host host;
    host.write = [&](output_kind, std::string_view bytes) { log.output += bytes; };
    host.read_line = [&](std::string &line) {
        if (keyboard.empty()) return false;
        line = keyboard.front();
        keyboard.pop_front();
        return true;
    };
    host.statement_done = [&](const statement_event &event) { log.first_lines.push_back(event.first_line); };
    session_run(options, host);
    return log;
}

// Everything a parse could disturb that the interpreter later relies on.
struct heap_picture {
    int nmem;
    std::vector<int> free_cells;
    std::vector<cell> used_cells;  // the cells not on the free list, in order
    std::vector<std::string> names;

    bool operator==(const heap_picture &other) const {
        return nmem == other.nmem && free_cells == other.free_cells && names == other.names &&
               used_cells.size() == other.used_cells.size() &&
               memcmp(used_cells.data(), other.used_cells.data(), used_cells.size() * sizeof(cell)) == 0;
    }
};

heap_picture picture() {
    heap_picture p {nmem, unit::free_list(), {}, {}};
    for (int c = 0; c < nmem; c++)
        if (cell_type(c) != CELL_FREE) p.used_cells.push_back(mem[c]);
    for (int i = 0; i < nsymbol; i++) p.names.emplace_back(symbol[i]);
    return p;
}

class DryParse : public ::testing::Test {
protected:
    void SetUp() override {
        session_reset();
        // A free list with holes: the parse must hand back the cells it takes
        // from it in their old order.
        run_keyboard({"f(x) = x * x;\n", "l = '(1 2 3 4 5 6);\n", "car(l); f(2);\n"});
        ASSERT_TRUE(heap_ready());
        ASSERT_FALSE(unit::free_list().empty());
    }
};
}  // namespace

TEST_F(DryParse, Verdicts) {
    struct {
        const char *text;
        parse_verdict verdict;
    } cases[] = {
        {"", parse_verdict::complete},
        {"f(3)", parse_verdict::complete},
        {"f(3);\n", parse_verdict::complete},
        {"g(y) = y + 1;\ng(2)\n", parse_verdict::complete},  // g is a call once defined
        {"x = 1; y = 2\n", parse_verdict::complete},
        {"новое(а) = а ИЛИ НЕ а;\n", parse_verdict::complete},
        {"f(x) = ", parse_verdict::incomplete},
        {"f(x) =\n", parse_verdict::incomplete},
        {"if f(1) = 1 then 'yes\n", parse_verdict::incomplete},
        {"(1 + 2\n", parse_verdict::incomplete},
        {"cons('(1 2\n", parse_verdict::incomplete},
        {"1 + 2; /* unfinished comment\n", parse_verdict::incomplete},
        {"1 + 2; // a comment\n", parse_verdict::complete},
        {"f(x) = )\n", parse_verdict::invalid},
        {"g(2) = 1; g(1, 2)\n", parse_verdict::invalid},
        {"1 +) 2\n", parse_verdict::invalid},
        {"x y\n", parse_verdict::invalid},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\n", parse_verdict::invalid},
    };
    for (const auto &c : cases) EXPECT_EQ(dry_parse(c.text), c.verdict) << c.text;
}

TEST_F(DryParse, LeavesTheSessionAsItWas) {
    heap_picture before = picture();
    const char *texts[] = {"h(a, b) = {a + b where c = 1};\nh(1, 2); новое_имя; '(x y z)\n",
                           "f(x) = \n", "f(x) = )\n", "'(1 2\n", "/* open\n"};
    for (const char *text : texts) {
        dry_parse(text);
        EXPECT_TRUE(picture() == before) << text;
        EXPECT_TRUE(heap_consistent()) << text;
    }
    // The names the parses interned are unknown, the definitions they noted
    // undone, and the keyboard goes on counting from its own third line.
    run_log after = run_keyboard({"h;\n", "f(5); l\n"});
    EXPECT_EQ(after.output,
              "-> Неизвестный символ H\n"
              "25\n(1 2 3 4 5 6)\n");
    EXPECT_EQ(after.first_lines, (std::vector<int> {4, 5, 5}));
}

TEST(DryParseWithoutHeap, IsUnknown) {
    session_reset();
    EXPECT_EQ(dry_parse("1;"), parse_verdict::unknown);
    EXPECT_FALSE(heap_ready());
}
