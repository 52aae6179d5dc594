// The transcript checker on whole files: which statement a difference is
// laid to, what counts as unrecorded or left unrun, and runs that print what
// the file does not hold (LOAD, QUIT, a line the echo cuts short).
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver/check.h"

namespace {
struct check_case {
    const char *name;
    std::string file;
    std::vector<std::string> differences;
    int statements;
    std::string other_file = "";  // lib.jor beside the checked file
};

std::string joined(const std::vector<std::string> &lines) {
    std::string out;
    for (const auto &line : lines) out += (out.empty() ? "" : "|") + line;
    return out;
}

std::string described(const difference &d) {
    const char *kinds[] = {"differs", "unrecorded", "missing", "not_run", "lines"};
    std::string out = kinds[int(d.kind)] + ("@" + std::to_string(d.line));
    if (d.kind == difference_kind::not_run)
        return out + " error@" + std::to_string(d.error_line) + " lines " + std::to_string(d.count);
    return out + " [" + joined(d.statement) + "] [" + joined(d.expected) + "] [" + joined(d.actual) + "]";
}

void write_file(const std::string &path, const std::string &text) {
    FILE *file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);
}

class Check : public ::testing::Test {
protected:
    std::string folder;
    std::string locale;  // LC_ALL as it was, restored afterwards
    bool had_locale = false;
    void SetUp() override {
        if (const char *was = getenv("LC_ALL")) {
            had_locale = true;
            locale = was;
        }
        setenv("LC_ALL", "C.UTF-8", 1);
        char name[] = "/tmp/jor-check-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder = name;
    }
    void TearDown() override {
        for (const char *file : {"main.jor", "lib.jor", "self.jor"}) remove((folder + "/" + file).c_str());
        rmdir(folder.c_str());
        if (had_locale)
            setenv("LC_ALL", locale.c_str(), 1);
        else
            unsetenv("LC_ALL");
    }
};

const char *const car_of_one[] = {"-> Неверный аргумент функции CAR", "-> в выражении (CAR 1)",
                                  "-> при вызове CAR с аргументами (1)"};
}  // namespace

TEST_F(Check, DifferencesAreLaidToTheirStatements) {
    std::string report = joined({car_of_one[0], car_of_one[1], car_of_one[2]});
    check_case cases[] = {
        {"statements over lines and several on a line agree",
         "f(x) = x + 1\n;\n-> F\n1;; f(1);\n-> 1\n-> 2\n2 *\n3;\n-> 6\nf(1) + 1\n-> 3\n", {}, 5},
        {"the one differing statement of a line is named",
         "1; 2; 3;\n-> 1\n-> 5\n-> 3\n", {"differs@1 [1; 2; 3;] [-> 5] [-> 2]"}, 3},
        {"a recorded line too many goes with the statement before it",
         "1;\n-> 1\n-> 1\n", {"differs@1 [1;] [-> 1|-> 1] [-> 1]"}, 1},
        {"unrecorded results, one of a statement over two lines",
         "// x\nx = 1;\nx +\n  1;\n", {"unrecorded@2 [x = 1;] [] [-> X]", "unrecorded@3 [x +|  1;] [] [-> 2]"}, 2},
        {"results recorded before any statement",
         "-> 7\n1;\n-> 1\n", {"missing@1 [] [-> 7] []"}, 1},
        {"an error report counts as a result; after it the rest is not run",
         "car(1);\n-> 1\n2;\n-> 2\n// 3 and 4\n3; 4;\n-> 3\n-> 4\n",
         {"differs@1 [car(1);] [-> 1] [" + report + "]", "not_run@3 error@1 lines 3"}, 1},
        {"an expected error report matches, and the rest unrecorded stays quiet",
         "car(1);\n-> " + std::string(car_of_one[0] + 3) + "\n" + car_of_one[1] + "\n" + car_of_one[2] + "\n2;\n",
         {}, 1},
        {"QUIT leaves the rest of the file unread",
         "1;\n-> 1\nQUIT();\n2;\n-> 2\n", {"unrecorded@3 [QUIT();] [] [Bye]", "lines@4 [] [2;|-> 2] []"}, 1},
        {"a LOADed file's statements are unrecorded where the file stops",
         "x = 1;\n-> X\nLOAD('lib.jor);\n", {"unrecorded@3 [y = 2;] [] [-> Y]", "unrecorded@3 [y;] [] [-> 2]"}, 3,
         "y = 2;\ny;\n-> 2\n"},
        {"the lines of a LOADed file after the LOAD are compared with its run",
         "x = 1;\n-> X\nLOAD('lib.jor);\ny = 2;\n-> Y\ny;\n-> 3\n", {"differs@6 [y;] [-> 3] [-> 2]"}, 3,
         "y = 2;\ny;\n-> 2\n"},
        {"line ends of two bytes and lines in code page 1251",
         "x = 1;\r\n-> X\r\n'\xef\xf0\xe8;\r\n-> \xcf\xd0\xc8\r\n", {}, 2},
        {"a line that the echo cuts short at a NUL differs",
         std::string("1;\n-> 1\n2;\0 3;\n-> 2\n", 20), {"lines@3 [] [2;" + std::string(1, '\0') + " 3;|-> 2] [2;|-> 2]"}, 2},
    };
    for (const auto &c : cases) {
        write_file(folder + "/main.jor", c.file);
        if (!c.other_file.empty()) write_file(folder + "/lib.jor", c.other_file);
        file_check result = check_file(folder + "/main.jor", 100000);
        ASSERT_TRUE(result.ran) << c.name;
        std::vector<std::string> found;
        for (const auto &d : result.differences) found.push_back(described(d));
        EXPECT_EQ(found, c.differences) << c.name;
        EXPECT_EQ(result.statements, c.statements) << c.name;
        EXPECT_FALSE(result.cut) << c.name;
    }
}

TEST_F(Check, ARunLongerThanItsFileIsCut) {
    write_file(folder + "/self.jor", "LOAD('self.jor);\n");
    file_check result = check_file(folder + "/self.jor", 1000);
    ASSERT_TRUE(result.ran);
    EXPECT_TRUE(result.cut);
}

TEST_F(Check, AFileThatCannotBeReadIsNotRun) {
    file_check result = check_file(folder + "/none.jor", 100000);
    EXPECT_FALSE(result.ran);
    EXPECT_NE(result.problem.find("No such file"), std::string::npos);
}
