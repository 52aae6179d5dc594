# QUIT with an argument is error 12; the name QUIT alone is just the
# built-in; QUIT() prints Bye and ends the run with status 0 -- statements
# after it on the line and later lines are not read.
=== stdin
1;
quit(1);
QUIT;
2; QUIT(); 3;
4;
=== stdout
JOR - функциональный язык, посвящённый всем, кто учит и учится.
Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.
> 1
> -> Неверное количество аргументов функции QUIT
-> в выражении (QUIT 1)
-> при вызове QUIT с аргументами (1)
> @QUIT
> 2
Bye
=== status
0
