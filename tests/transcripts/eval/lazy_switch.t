# LAZY rejects a value that is not a boolean and keeps the switch; the
# error report prints with lazy evaluation off (promises it has not
# forced are shown unevaluated) and switches it back on afterwards
=== stdin
lazy(0);
`(DELAY 1);
`(LAZY #T);
lazy(1 + 1);
`(DELAY 1);
fl(x, y) = car(x) + y;
fl(1, 2 + 3);
`(DELAY 1);
`(CONS 1 2);
lazy(#f);
`(DELAY 1);
=== stdout noeol
JOR - функциональный язык, посвящённый всем, кто учит и учится.
Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.
> -> Неверный аргумент функции LAZY
-> в выражении (LAZY 0)
-> при вызове LAZY с аргументами (0)
> [1]
> #T
> -> Неверный аргумент функции LAZY
-> в выражении (LAZY (+ 1 1))
-> при вызове LAZY с аргументами (2)
> 1
> FL
> -> Неверный аргумент функции CAR
-> в выражении (CAR X)
-> при вызове CAR с аргументами (1)
-> при вызове FL с аргументами (1 [(+ 2 3)])
> 1
> (1 . 2)
> #F
> [1]
> 
