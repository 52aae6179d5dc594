# An error at the keyboard drops the rest of the line on which it was found
# (statements typed after it are not evaluated) but nothing of the following
# lines; definitions made before it stay.  End of input inside an
# expression is a syntax error, after which the run ends normally.
=== stdin
f(x) = x * x;
f(3); car(1); f(4);
f(5);
car(2)
; f(6);
1 +
;
f(7); y + 1;
f(1, 2);
1 +
=== stdout noeol
JOR - функциональный язык, посвящённый всем, кто учит и учится.
Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.
> F
> 9
-> Неверный аргумент функции CAR
-> в выражении (CAR 1)
-> при вызове CAR с аргументами (1)
> 25
> > -> Неверный аргумент функции CAR
-> в выражении (CAR 2)
-> при вызове CAR с аргументами (2)
> > -> Синтаксическая ошибка: стек синтаксического разбора
-> <выражение> + ;
> 49
-> Неизвестный символ Y
-> в выражении (+ Y 1)
-> при вызове + с аргументами (Y 1)
> -> Неверное количество аргументов функции F
-> в выражении (F 1 2)
-> при вызове F с аргументами (1 2)
> > -> Синтаксическая ошибка: стек синтаксического разбора
-> <выражение> + EOF
> 
