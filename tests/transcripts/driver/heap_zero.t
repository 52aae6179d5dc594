# A heap of 0 cells: the banner, then the first cell request fails once and
# the run ends with status 9.
=== args
-m 0
=== stdin
1;
=== stdout
JOR - функциональный язык, посвящённый всем, кто учит и учится.
Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.
-> Таблица mem переполнилась
=== status
9
