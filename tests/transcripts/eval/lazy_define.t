# definitions in lazy mode: a procedure without parameters is a promise,
# a variable's expression is evaluated on first use, and the DELAY wrapped
# around a procedure body is looked up like any name when the body runs
=== stdin
lazy(#t);
`(DEFINE (G) 5);
g;
`(G);
`(DEFINE Y (CAR 1));
y;
y;
`(DEFINE (K DELAY) 5);
`(K (LAMBDA (V) (+ V 1)));
`(K CAR);
lazy(#f);
`(K 0);
=== stdout noeol
JOR - функциональный язык, посвящённый всем, кто учит и учится.
Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.
> #T
> G
> 5
> -> Целое число не является функцией
-> в выражении (G)
-> при вызове 5 с аргументами ()
> Y
> -> Неверный аргумент функции CAR
-> в выражении (CAR 1)
-> при вызове CAR с аргументами (1)
> -> Неверный аргумент функции CAR
-> в выражении (CAR 1)
-> при вызове CAR с аргументами (1)
> K
> 6
> -> Неверный аргумент функции CAR
-> в выражении (DELAY 5)
-> при вызове DELAY с аргументами (5)
-> при вызове K с аргументами (@CAR)
> #F
> -> Целое число не является функцией
-> в выражении (DELAY 5)
-> при вызове 0 с аргументами (5)
-> при вызове K с аргументами (0)
> 
