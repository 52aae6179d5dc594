// Error messages indexed by error code. Codes 0, 1, 6, 8 and 17 have messages
// but nothing raises them; 18 is how LOAD asks the driver for a file.
#include "errors/xerrmsg.h"

#include "text/cp1251.h"

namespace {
using message = cp_text<72>;

constexpr message error_messages[] = {
    "",
    "Ошибка устройства",
    "Нет памяти",
    "Деление на ноль или переполнение",
    "Переполнение стека",
    "Аргумент вне области определения функции %s",
    "Ошибка ввода-вывода",
    "Прерывание по Ctrl-C",
    "%s",
    "Таблица %s переполнилась",
    "Лексическая ошибка: %s",
    "Синтаксическая ошибка: стек синтаксического разбора",
    "Неверное количество аргументов функции %s",
    "Неверный аргумент функции %s",
    "%s не является функцией",
    "Неизвестный символ %s",
    "Ошибка открытия файла %s",
    "Используйте ВОЗОБНОВИТЬ (FORCE) для вычислений с задержкой",
    "Открыть файл %s",
};
static_assert(sizeof error_messages / sizeof error_messages[0] == ERROR_COUNT);
}  // namespace

const char *error_message(int code) {
    return code >= 0 && code < ERROR_COUNT ? error_messages[code].text : "";
}
