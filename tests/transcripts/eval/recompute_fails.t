# when evaluating the arguments again for the report fails, loads a file
# or quits, the arguments are shown as written, the trace stays that of the
# original failure, effects already made stay, and the session goes on
=== file LIB.JOR
libval = 1;
=== stdin
`(AND (= 1 1) 5 (CAR 1));
ly = '(1 2);
pq(n) = car(ly) + define(ly, cdr(ly));
pq(7);
ly;
lz = '(1);
car(lz) = 1 AND define(lz, 5);
lz;
`(OR #F 5 (LOAD (QUOTE LIB.JOR)));
libval;
`(OR #F 5 (QUIT));
1 + 1;
=== stdout noeol
JOR - функциональный язык, посвящённый всем, кто учит и учится.
Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.
> -> Неверный аргумент функции AND
-> в выражении (AND (= 1 1) 5 (CAR 1))
-> при вызове AND с аргументами ((= 1 1) 5 (CAR 1))
> LY
> PQ
> -> Неверный аргумент функции +
-> в выражении (+ (CAR LY) (DEFINE LY (CDR LY)))
-> при вызове + с аргументами ((CAR LY) (DEFINE LY (CDR LY)))
-> при вызове PQ с аргументами (7)
> ()
> LZ
> -> Неверный аргумент функции AND
-> в выражении (AND (= (CAR LZ) 1) (DEFINE LZ 5))
-> при вызове AND с аргументами ((= (CAR LZ) 1) (DEFINE LZ 5))
> 5
> -> Неверный аргумент функции OR
-> в выражении (OR #F 5 (LOAD (QUOTE LIB.JOR)))
-> при вызове OR с аргументами (#F 5 (LOAD (QUOTE LIB.JOR)))
> -> Неизвестный символ LIBVAL
> -> Неверный аргумент функции OR
-> в выражении (OR #F 5 (QUIT))
-> при вызове OR с аргументами (#F 5 (QUIT))
> 2
> 
