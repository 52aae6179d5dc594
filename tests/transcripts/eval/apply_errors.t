# APPLY with a first argument that is not a procedure, a second that is not
# a list, a wrong count; a wrong count for the applied procedure is reported
# under the name LAMBDA with the form APPLY built
=== stdin
`(APPLY 5 ());
`(APPLY + 5);
`(APPLY +);
`(APPLY + (QUOTE (1 . 2)));
hd(x) = car(x);
apply(hd, '(1 2));
apply(car, '(5));
apply(hd, '((9)));
=== stdout noeol
JOR - функциональный язык, посвящённый всем, кто учит и учится.
Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.
> -> Неверный аргумент функции APPLY
-> в выражении (APPLY 5 ())
-> при вызове APPLY с аргументами (5 ())
> -> Неверный аргумент функции APPLY
-> в выражении (APPLY + 5)
-> при вызове APPLY с аргументами (+ 5)
> -> Неверное количество аргументов функции APPLY
-> в выражении (APPLY +)
-> при вызове APPLY с аргументами (+)
> -> Неверный аргумент функции APPLY
-> в выражении (APPLY + (QUOTE (1 . 2)))
-> при вызове APPLY с аргументами (+ (QUOTE (1 . 2)))
> HD
> -> Неверное количество аргументов функции LAMBDA
-> в выражении ([(LAMBDA (X) (CAR X))] (QUOTE 1) (QUOTE 2))
-> при вызове [(LAMBDA (X) (CAR X))] с аргументами ((QUOTE 1) (QUOTE 2))
> -> Неверный аргумент функции CAR
-> в выражении (@CAR (QUOTE 5))
-> при вызове @CAR с аргументами (5)
> 9
> 
