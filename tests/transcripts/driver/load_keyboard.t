# LOAD typed at the keyboard reads the file with echo and "-> " results and
# then returns to the keyboard; the rest of the LOAD line is not evaluated.
# The name is upper-cased by the reader and matched against the folder
# ignoring letter case, Cyrillic included.  LOAD inside a procedure still
# reads the file at top level.
=== file lib.jor
sq(x) = x * x;
sq(4);
=== file Тест.jor
'(из тест);
=== file lib2.jor
'(loaded);
=== stdin
LOAD('lib.jor); 99;
sq(5);
load('тест.jor);
h(n) = load(n);
h('lib2.jor); 98;
97;
=== stdout noeol
JOR - функциональный язык, посвящённый всем, кто учит и учится.
Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.
> sq(x) = x * x;
-> SQ
sq(4);
-> 16
> 25
> '(из тест);
-> (ИЗ ТЕСТ)
> H
> '(loaded);
-> (LOADED)
> 97
> 
