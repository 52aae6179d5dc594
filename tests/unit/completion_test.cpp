// Tab completion's choices: keywords in both spellings, built-in names and
// the names of the global frame, in code page 1251 as the readers store them.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include "builtins/table.h"
#include "console/encoding.h"
#include "console/keyboard.h"
#include "console/output.h"
#include "driver/completion.h"
#include "eval/symbols.h"
#include "grammar.hpp"
#include "reader/input.h"
#include "reader/lexer.h"
#include "support.h"
#include "text/chars.h"

namespace {
using names = std::vector<std::string>;

// A name written in UTF-8 here, in the code page 1251 form the system uses.
std::string cp(const char *utf8) {
    std::string text = utf8;
    utf8_to_cp1251(text);
    return text;
}

// The first token the lexer makes of `name` standing alone.
int first_token(const std::string &name) {
    std::string utf8;
    cp1251_to_utf8(name.data(), name.size(), utf8);
    FILE *source = tmpfile();
    fputs((utf8 + "\n").c_str(), source);
    rewind(source);
    int discard = open("/dev/null", O_WRONLY);
    out_redirect(discard);  // the source line is echoed as it is read
    init_in(source);
    int token = yylex();
    out_redirect(1);
    close(discard);
    fclose(source);
    return token;
}

void define(const char *utf8_name) { add_value(make_symbol(cp(utf8_name).c_str()), make_integer(1)); }

// Everything offered for any one-letter start, Latin or Cyrillic.
std::set<std::string> everything_offered() {
    std::set<std::string> all;
    for (int c = 0; c < 256; c++) {
        if (!is_name_char(c) || (c >= '0' && c <= '9')) continue;
        for (const std::string &name : completions(std::string(1, char(c)))) all.insert(name);
    }
    return all;
}
// The quoted strings of the array literal `name` in a page script, taken
// from code page 1251's point of view.
std::set<std::string> page_script_array(const char *file, const char *name) {
    std::ifstream in(std::string(JOR_SOURCE_DIR) + "/web/src/" + file);
    std::stringstream text;
    text << in.rdbuf();
    std::string script = text.str();
    std::size_t at = script.find(std::string("export const ") + name + " = [");
    std::set<std::string> found;
    if (at == std::string::npos) return found;
    std::size_t end = script.find("];", at);
    for (at = script.find('\'', at); at < end; at = script.find('\'', at)) {
        std::size_t close = script.find('\'', at + 1);
        found.insert(cp(script.substr(at + 1, close - at - 1).c_str()));
        at = close + 1;
    }
    return found;
}
}  // namespace

class CompletionTest : public HeapTest {};

TEST_F(CompletionTest, BuiltInNamesButNoOperators) {
    EXPECT_EQ(completions("NUL"), (names {"NULL", "NULL?"}));
    EXPECT_EQ(completions("QUOT"), (names {"QUOTE", "QUOTIENT"}));
    EXPECT_EQ(completions("REM"), (names {"REMAINDER"}));
    EXPECT_EQ(completions("CA"), (names {"CAR"}));
    EXPECT_TRUE(completions("").empty());
    EXPECT_TRUE(completions("XYZZY").empty());
    for (const std::string &name : everything_offered())
        EXPECT_EQ(name.find_first_of("+-*/=<>"), std::string::npos) << name;
}

TEST_F(CompletionTest, KeywordsInBothSpellings) {
    EXPECT_EQ(completions(cp("ИНА")), (names {cp("ИНАЧЕ")}));
    EXPECT_EQ(completions(cp("ПУСТЬ")), (names {cp("ПУСТЬ"), cp("ПУСТЬРЕК")}));
    EXPECT_EQ(completions(cp("ГДЕ")), (names {cp("ГДЕ"), cp("ГДЕРЕК")}));
    EXPECT_EQ(completions("WHERE"), (names {"WHERE", "WHEREREC"}));
    EXPECT_EQ(completions("ELS"), (names {"ELSE"}));
}

TEST_F(CompletionTest, EveryOfferedWordIsAKeywordABuiltInOrTheCarCdrFamily) {
    int keywords = 0;
    for (const std::string &name : everything_offered()) {
        int token = first_token(name);
        bool is_keyword = token != IDENT && token != UIDENT;
        keywords += is_keyword;
        EXPECT_TRUE(is_keyword || builtin_row(name.c_str()) > 0 || is_cadr(name.c_str())) << name;
    }
    EXPECT_EQ(keywords, KEYWORD_WORDS);  // every word row of the lexer's table, each once
}

TEST_F(CompletionTest, DefinedNamesJoinOnceInByteOrder) {
    define("QUOTA");
    define("QUOTA");
    define("CONS");  // a built-in redefined is still one choice
    define("ДЛИНА");
    define("ДЛИННА");
    EXPECT_EQ(completions("QUOT"), (names {"QUOTA", "QUOTE", "QUOTIENT"}));
    EXPECT_EQ(completions("CONS"), (names {"CONS"}));
    EXPECT_EQ(completions(cp("ДЛ")), (names {cp("ДЛИНА"), cp("ДЛИННА")}));
    EXPECT_TRUE(completions(cp("ДЛИНЫ")).empty());
}

TEST_F(CompletionTest, DefinitionsForgottenWithTheFrameAreNoLongerOffered) {
    define("QUOTA");
    unit::reset_heap();
    EXPECT_EQ(completions("QUOTA"), names {});
}

TEST(SharedBeginning, LongestCommonStart) {
    EXPECT_EQ(shared_beginning({}), "");
    EXPECT_EQ(shared_beginning({"NUMBER"}), "NUMBER");
    EXPECT_EQ(shared_beginning({"NULL", "NULL?", "NUMBER", "NUMBER?"}), "NU");
    EXPECT_EQ(shared_beginning({"WHERE", "WHEREREC"}), "WHERE");
    EXPECT_EQ(shared_beginning({"LET", "LAMBDA"}), "L");
}

// The playground completes from its own lists, which must offer what the
// console offers before anything is defined.
TEST_F(CompletionTest, ThePlaygroundOffersTheSameWords) {
    std::set<std::string> page = page_script_array("jor-language.js", "KEYWORDS");
    EXPECT_EQ(page.size(), 29u);
    for (const std::string &name : page_script_array("completion.js", "BUILTIN_NAMES")) page.insert(name);
    EXPECT_EQ(page, everything_offered());
}
