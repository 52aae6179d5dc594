// The notebook's side of the kernel without Jupyter: cells run in one
// session, their events turned into streamed text, a result and errors, and
// the questions a front end asks between cells.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cells/heap.h"
#include "kernel/cell_output.h"
#include "kernel/notebook_session.h"
#include "kernel/queries.h"

namespace {
// What a cell published, one line per message: "stream: …", "result: …",
// "error: ENAME | EVALUE | TRACEBACK LINES".
struct published {
    std::vector<std::string> messages;
    std::optional<cell_error> failure;
};

published run(const std::string &code) {
    published out;
    cell_publisher publish;
    publish.stream = [&](const std::string &text) { out.messages.push_back("stream: " + text); };
    publish.result = [&](const std::string &text) { out.messages.push_back("result: " + text); };
    publish.error = [&](const cell_error &error) {
        std::string line = "error: " + error.ename + " | " + error.evalue + " |";
        for (const std::string &traceback_line : error.traceback) line += " " + traceback_line;
        out.messages.push_back(line);
    };
    cell_output output;
    run_cell(code, [&](const cell_event &event) { take_event(output, event, publish); });
    out.failure = output.failure;
    return out;
}

using lines = std::vector<std::string>;

class Notebook : public ::testing::Test {
protected:
    void SetUp() override {
        session_reset();
        ASSERT_EQ(start_notebook_session(notebook_options(20000, "")), "");
        ASSERT_TRUE(heap_ready());
    }
};
}  // namespace

TEST_F(Notebook, CellsShareOneSession) {
    struct {
        const char *code;
        lines messages;
    } cells[] = {
        // The end of the cell ends its last statement; only that value is the result.
        {"f(x) = x * x;\nf(3); f(4)", {"stream: F\n", "stream: 9\n", "result: 16"}},
        {"f(5);\n", {"result: 25"}},
        {"curry(#t); g(a, b) = a - b", {"stream: #T\n", "result: G"}},
        {"g(10)(3)", {"result: 7"}},
        {"'привет : '(мир)", {"result: (ПРИВЕТ МИР)"}},
        {"", {}},
        {"// nothing but a comment\n", {}},
        // An error ends the cell: the rest of its line and its later lines are dropped.
        {"f(2);\ncar(1); f(6)\nh = 1",
         {"stream: 4\n", "error: Ошибка 13 | Неверный аргумент функции CAR | -> Неверный аргумент функции CAR "
                         "-> в выражении (CAR 1) -> при вызове CAR с аргументами (1)"}},
        {"h", {"error: Ошибка 15 | Неизвестный символ H | -> Неизвестный символ H"}},
        {"k(x) =", {"error: Ошибка 11 | Синтаксическая ошибка: стек синтаксического разбора | "
                    "-> Синтаксическая ошибка: стек синтаксического разбора -> <заголовок> = EOF"}},
        {"f(7)", {"result: 49"}},
    };
    for (const auto &cell : cells) EXPECT_EQ(run(cell.code).messages, cell.messages) << cell.code;
}

TEST_F(Notebook, LongValuesStreamAndEndlessOnesCanBeInterrupted) {
    session_reset();
    start_notebook_session(notebook_options(2000000, ""));
    run("lazy(#t); ones = 1 : ones; take(n, l) = if n = 0 then '() else car(l) : take(n - 1, cdr(l))");
    // Ten thousand elements are held for the result; forty thousand are too long to hold.
    EXPECT_EQ(run("take(10000, ones)").messages.back().substr(0, 10), "result: (1");
    published long_value = run("take(40000, ones); 5");
    std::string streamed;
    for (std::size_t i = 0; i + 1 < long_value.messages.size(); i++) streamed += long_value.messages[i].substr(8);
    EXPECT_EQ(streamed.size(), 80002u);  // "(", 40000 ones, the spaces between, ")" and the line end
    EXPECT_EQ(long_value.messages.back(), "result: 5");

    published out;
    cell_publisher publish;
    std::size_t shown = 0;
    publish.stream = [&](const std::string &text) { shown += text.size(); };
    publish.result = [&](const std::string &) { ADD_FAILURE() << "an endless value has no result"; };
    publish.error = [&](const cell_error &error) { out.failure = error; };
    cell_output output;
    std::size_t printed = 0;  // stops a run that shows nothing as well
    run_cell("ones", [&](const cell_event &event) {
        take_event(output, event, publish);
        printed += event.bytes.size();
        if (shown > 200000 || printed > 4000000) interrupt_cell();
    });
    ASSERT_TRUE(out.failure.has_value());
    EXPECT_EQ(out.failure->traceback, (lines {"-> Прерывание по Ctrl-C"}));
    EXPECT_GT(shown, std::size_t(200000));
    EXPECT_LT(shown, std::size_t(200000) + 2 * LONGEST_HELD_VALUE);
    EXPECT_EQ(run("car(ones)").messages, (lines {"result: 1"}));
}

TEST_F(Notebook, TheFirstErrorIsTheCellsFailure) {
    published out = run("1; car(2)");
    ASSERT_TRUE(out.failure.has_value());
    EXPECT_EQ(out.failure->ename, "Ошибка 13");
    EXPECT_EQ(out.messages.front(), "stream: 1\n");
    EXPECT_FALSE(run("1; 2").failure.has_value());
}

TEST_F(Notebook, QuitStartsAFreshSession) {
    run("x = 5; lazy(#t)");
    EXPECT_EQ(run("x; QUIT(); x").messages, (lines {"stream: 5\n", "stream: Bye\n"}));
    EXPECT_TRUE(heap_ready());
    EXPECT_EQ(run("x").messages, (lines {"error: Ошибка 15 | Неизвестный символ X | -> Неизвестный символ X"}));
    // Eager again: the promise is not forced when printed.
    EXPECT_EQ(run("{ 1 : delay 2 }").messages.size(), 1u);
    EXPECT_EQ(run("quit()").messages, (lines {"stream: Bye\n"}));
}

TEST_F(Notebook, HeapTooSmallIsReportedByEveryCell) {
    session_reset();
    EXPECT_EQ(start_notebook_session(notebook_options(3000000000LL, "")), "-> Нет памяти\n");
    for (int i = 0; i < 2; i++)
        EXPECT_EQ(run("1").messages, (lines {"error: Ошибка 2 | Нет памяти | -> Нет памяти"}));
}

TEST_F(Notebook, CompletionOffersNamesInTheCaseTyped) {
    run("факториал(n) = n; fact(n) = n; fac = 1");
    struct {
        const char *code;
        int cursor;
        lines matches;
        int start;
    } cases[] = {
        {"fa", 2, {"fac", "fact"}, 0},
        {"FA", 2, {"FAC", "FACT"}, 0},
        {"x = ФАК", 7, {"ФАКТОРИАЛ"}, 4},
        {"x = фак + 1", 7, {"факториал"}, 4},  // the cursor in the middle of the text
        {"ес", 2, {"если"}, 0},
        {"thE", 3, {"THEN"}, 0},
        {"cd", 2, {"cdr"}, 0},  // the car/cdr family stands for itself with its shortest members
        {"curry(#t); cu", 13, {"curry"}, 11},
        {"12", 2, {}, 0},
        {"f(x) = ", 7, {}, 7},
    };
    for (const auto &c : cases) {
        completion_reply reply = complete_name(c.code, c.cursor);
        EXPECT_EQ(reply.matches, c.matches) << c.code;
        EXPECT_EQ(reply.start, c.start) << c.code;
        EXPECT_EQ(reply.end, c.cursor) << c.code;
    }
}

TEST_F(Notebook, InspectionShowsDefinitionsArityAndKeywords) {
    run("квадрат(x) = x * x; n = '(1 2); lazy(#t); p = delay 1 + 1");
    struct {
        const char *code;
        int cursor;
        const char *shown;  // nullptr: nothing found
    } cases[] = {
        {"квадрат(3)", 3, "КВАДРАТ: функция, определённая в сеансе\n[(LAMBDA (X) (* X X))]"},
        {"n", 0, "N: имя, определённое в сеансе\n(1 2)"},
        {"cons(1, 2)", 4, "CONS: встроенная функция, арность 2"},
        {"max", 1, "MAX: встроенная функция, арность 100 (все аргументы)"},
        {"x = null?(y)", 8, "NULL?: встроенная функция, арность 1"},
        {"cadadr", 6, "CADADR: встроенная функция (семейство C[AD]+R), арность 1"},
        {"иначе", 2, "ИНАЧЕ: ключевое слово"},
        {"undefined_name", 3, nullptr},
        {"1 + 2", 1, nullptr},
    };
    for (const auto &c : cases) {
        std::optional<std::string> shown = inspect_name(c.code, c.cursor);
        if (c.shown)
            EXPECT_EQ(shown, std::optional<std::string>(c.shown)) << c.code;
        else
            EXPECT_FALSE(shown.has_value()) << c.code;
    }
    // Writing the promise forced nothing: it still prints as a promise would.
    std::optional<std::string> promise = inspect_name("p", 1);
    ASSERT_TRUE(promise.has_value());
    EXPECT_EQ(*promise, "P: имя, определённое в сеансе\n" + run("lazy(#f); p").messages.back().substr(8));
}

TEST_F(Notebook, CompletenessAndBanner) {
    EXPECT_EQ(completeness("f(x) = "), "incomplete");
    EXPECT_EQ(completeness("f(x) = x"), "complete");
    EXPECT_EQ(completeness("f(x) = )"), "invalid");
    EXPECT_EQ(banner_text(),
              "JOR - функциональный язык, посвящённый всем, кто учит и учится.\n"
              "Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.");
    EXPECT_EQ(language_version(), "1.4");
}
