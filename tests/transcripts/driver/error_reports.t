# The report of each kind of error typed at the keyboard: the message line,
# and for codes 12-15 the failing form with its operator and arguments
# (evaluated as far as the built-in's arity says for code 13, as written
# otherwise; the value itself as operator for code 14), followed by one line
# per enclosing user-procedure call.  The session goes on after each.
=== stdin
f(x) = car(x);
g(y) = f(y) + 1;
g(5);
5(1);
'(1 2)(3);
'a + 1;
load(1 + 2);
load();
IF 1 THEN 2 ELSE car(3);
sqrt(-1);
h(n) = h(n);
h(1);
abcdefghijklmnopqrstuvwxyzabcdef;
'(1 . 2 3);
z;
g('(7 8));
=== stdout noeol
JOR - функциональный язык, посвящённый всем, кто учит и учится.
Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.
> F
> G
> -> Неверный аргумент функции CAR
-> в выражении (CAR X)
-> при вызове CAR с аргументами (5)
-> при вызове F с аргументами (5)
-> при вызове G с аргументами (5)
> -> Целое число не является функцией
-> в выражении (5 1)
-> при вызове 5 с аргументами (1)
> -> Список не является функцией
-> в выражении ((QUOTE (1 2)) 3)
-> при вызове (1 2) с аргументами (3)
> -> Неверный аргумент функции +
-> в выражении (+ (QUOTE A) 1)
-> при вызове + с аргументами (A 1)
> -> Неверный аргумент функции LOAD
-> в выражении (LOAD (+ 1 2))
-> при вызове LOAD с аргументами ((+ 1 2))
> -> Неверное количество аргументов функции LOAD
-> в выражении (LOAD)
-> при вызове LOAD с аргументами ()
> -> Неверный аргумент функции IF
-> в выражении (IF 1 2 (CAR 3))
-> при вызове IF с аргументами (1 2 (CAR 3))
> -> Аргумент вне области определения функции sqrt
> H
> -> Таблица стек вызовов переполнилась
> -> Лексическая ошибка: слишком длинный идентификатор
> -> Лексическая ошибка: неверное S-выражение - нет )
> -> Неизвестный символ Z
> 8
> 
