# jor --check over several files: one that matches its run (several
# statements on a line, a statement over two lines, an expected error
# report), one whose values differ or are not recorded, and one whose error
# report differs and whose rest is therefore never run. Any difference makes
# the status 1; the summary counts all three files.
=== args
--check good.jor values.jor errors.jor
=== file good.jor
// Matches its run: a line of several statements, a statement of two lines,
// an expected error report, and a last statement without ";".
sq(x) = x * x;
-> SQ
sq(2); sq(3);
-> 4
-> 9
sum(l) = if null(l) then 0
         else car(l) + sum(cdr(l));
-> SUM
car('());
-> Неверный аргумент функции CAR
-> в выражении (CAR (QUOTE ()))
-> при вызове CAR с аргументами (())
=== file values.jor
sq(x) = x * x;
-> SQ
sq(2); sq(3); sq(4);
-> 4
-> 10
-> 16
sq(5);
sq(6);
-> 36
-> 37
=== file errors.jor
f(x) = car(x);
-> F
f(1);
-> Неверный аргумент функции CAR
-> в выражении (CAR 1)
-> при вызове CAR с аргументами (1)
-> при вызове F с аргументами (1)
f('(1));
-> 1
f(2);
-> 2
f('(3)); f('(4));
-> 3
-> 4
=== stdout
values.jor:3: sq(2); sq(3); sq(4);
  ожидалось:   -> 10
  получено:    -> 9
values.jor:7: sq(5);
  не записано: -> 25
values.jor:8: sq(6);
  ожидалось:   -> 36
               -> 37
  получено:    -> 36
errors.jor:3: f(1);
  ожидалось:   -> Неверный аргумент функции CAR
               -> в выражении (CAR 1)
               -> при вызове CAR с аргументами (1)
               -> при вызове F с аргументами (1)
  получено:    -> Неверный аргумент функции CAR
               -> в выражении (CAR X)
               -> при вызове CAR с аргументами (1)
               -> при вызове F с аргументами (1)
errors.jor:8: после ошибки в строке 3 остаток файла не выполнялся, хотя в нём записаны результаты (строк: 4)
Проверено файлов: 3, операторов: 13; различий: 5.
=== status
1
