// make_number, the type names, and the error path of the checked accessors.
#include "cells/cell.h"

#include <cmath>

#include "text/cp1251.h"

namespace {
using type_name = cp_text<32>;
constexpr type_name type_names[] = {
    "Свободная ячейка", "Символ",   "Целое число", "Вещественное число",
    "Булево значение",  "Список",   "Функция",     "Встроенная функция",
};
static_assert(sizeof type_names / sizeof type_names[0] == CELL_TAG_COUNT);
constexpr type_name empty_list_name = "Пустой список";
}  // namespace

int make_number(double x) {
    // Compare in double: a NaN is unequal to everything, and the range test
    // keeps the conversion to int defined.
    if (x >= -2147483648.0 && x <= 2147483647.0) {
        int32_t whole = int32_t(x);
        if (double(whole) == x) return make_integer(whole);
    }
    return make_real(x);
}

const char *type2name(int tag) { return tag >= 0 && tag < CELL_TAG_COUNT ? type_names[tag].text : ""; }

const char *cell_typeid(int i) {
    return i < 0 ? empty_list_name.text : type2name(mem[i].type & 0xFF);
}

void wrong_argument(const char *operation) { raise_error(ERR_BAD_ARG, operation); }
