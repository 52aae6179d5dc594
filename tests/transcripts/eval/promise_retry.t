# a promise whose evaluation fails stays unevaluated and can be forced
# again later, in eager and in lazy mode; wrong counts of DELAY and FORCE
=== stdin
pf = delay car(qq);
force pf;
pf;
qq = '(7 8);
force pf;
pf;
`(DELAY);
`(DELAY 1 2);
`(FORCE 1 2);
lazy(#t);
py = car(qz);
py;
py;
qz = '(5);
py;
lazy(#f);
py;
=== stdout noeol
JOR - функциональный язык, посвящённый всем, кто учит и учится.
Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.
> PF
> -> Неизвестный символ QQ
-> в выражении (CAR QQ)
-> при вызове CAR с аргументами (QQ)
> [(CAR QQ)]
> QQ
> 7
> 7
> -> Неверное количество аргументов функции DELAY
-> в выражении (DELAY)
-> при вызове DELAY с аргументами ()
> -> Неверное количество аргументов функции DELAY
-> в выражении (DELAY 1 2)
-> при вызове DELAY с аргументами (1 2)
> -> Неверное количество аргументов функции FORCE
-> в выражении (FORCE 1 2)
-> при вызове FORCE с аргументами (1 2)
> #T
> PY
> -> Неизвестный символ QZ
-> в выражении (CAR QZ)
-> при вызове CAR с аргументами (QZ)
> -> Неизвестный символ QZ
-> в выражении (CAR QZ)
-> при вызове CAR с аргументами (QZ)
> QZ
> 5
> #F
> 5
> 
