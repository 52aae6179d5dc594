# The value after -m is read as atoi does: a word gives 0.  The file name
# here is that value, so there is no source file and the banner is printed.
=== args
-m {src}
=== source
1;
=== stdout
JOR - функциональный язык, посвящённый всем, кто учит и учится.
Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.
-> Таблица mem переполнилась
=== status
9
