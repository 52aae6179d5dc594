# LOAD of a missing file is error 16 with the upper-case name, whether it
# comes from a file (whose later lines are then gone) or the keyboard.  An
# error inside a loaded file is handled as in any file: the rest is echoed
# without "->" lines, and the keyboard follows.
=== source
1;
LOAD('nofile.jor);
2;
=== file bad.jor
1;
car(1);
2;
-> 2
3;
=== stdin
load('нет);
load('bad.jor);
4;
=== stdout noeol
1;
-> 1
LOAD('nofile.jor);
-> Ошибка открытия файла NOFILE.JOR
> -> Ошибка открытия файла НЕТ
> 1;
-> 1
car(1);
-> Неверный аргумент функции CAR
-> в выражении (CAR 1)
-> при вызове CAR с аргументами (1)
2;
3;
> 4
> 
