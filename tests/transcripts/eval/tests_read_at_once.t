# A test reads the value it evaluates at once (IF, NOT, AND, OR, through a
# procedure's body or a branch in tail position), so a built-in answering it
# need not make its boolean: the answers, the errors and their call traces
# stay what they are for the same forms evaluated as values.
=== stdin
positive(x) = x > 0;
IF positive(3) THEN 'yes ELSE 'no;
IF NOT (1 < 2) THEN 'yes ELSE 'no;
IF (1 < 2) AND null?(()) AND (#f OR pair?('(1))) THEN 'yes ELSE 'no;
IF (IF 1 < 2 THEN 3 > 4 ELSE #t) THEN 'yes ELSE 'no;
NOT (1 = 1);
(1 < 2) AND (2 >= 3);
`(IF (ATOM 1) (NUMBER? 2.5) (CAR 1));
`(IF (INTEGER? 2.5) 1 (AND (REAL? 2.5) (SYMBOL? 'A) (PROCEDURE? CAR) (BOOLEAN? #T) (NULL (CDR '(1))) (EQ 1 1)));
IF 1 < 'a THEN 1 ELSE 2;
IF NOT 5 THEN 1 ELSE 2;
IF #t AND 1 THEN 1 ELSE 2;
IF positive('a) THEN 1 ELSE 2;
IF car('(1)) THEN 1 ELSE 2;
`(IF (< 1) 1 2);
`(IF (NULL? 1 2) 1 2);
countdown(n) = IF n = 0 THEN #t ELSE countdown(n - 1);
IF countdown(10) THEN 'done ELSE 'not;
lazy(#t);
IF 1 < 2 THEN 'yes ELSE 'no;
IF positive(0) THEN 'yes ELSE 'no;
lazy(#f);
curry(#t);
`(IF ((< 1) 2) 1 2);
`(IF (NOT) 1 2);
`(DEFINE LESS <);
IF less(1, 2) AND less(2, 3) THEN 'yes ELSE 'no;
curry(#f);
=== stdout noeol
JOR - функциональный язык, посвящённый всем, кто учит и учится.
Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.
> POSITIVE
> YES
> NO
> YES
> NO
> #F
> #F
> #T
> #T
> -> Неверный аргумент функции <
-> в выражении (< 1 (QUOTE A))
-> при вызове < с аргументами (1 A)
> -> Неверный аргумент функции NOT
-> в выражении (NOT 5)
-> при вызове NOT с аргументами (5)
> -> Неверный аргумент функции AND
-> в выражении (AND #T 1)
-> при вызове AND с аргументами (#T 1)
> -> Неверный аргумент функции >
-> в выражении (> X 0)
-> при вызове > с аргументами (A 0)
-> при вызове POSITIVE с аргументами (A)
> -> Неверный аргумент функции IF
-> в выражении (IF (CAR (QUOTE (1))) 1 2)
-> при вызове IF с аргументами (1 1 2)
> -> Неверное количество аргументов функции <
-> в выражении (< 1)
-> при вызове < с аргументами (1)
> -> Неверное количество аргументов функции NULL?
-> в выражении (NULL? 1 2)
-> при вызове NULL? с аргументами (1 2)
> COUNTDOWN
> DONE
> #T
> YES
> NO
> #F
> #T
> -> Неверное количество аргументов функции <
-> в выражении (< 1)
-> при вызове < с аргументами (1)
> -> Неверный аргумент функции IF
-> в выражении (IF (NOT) 1 2)
-> при вызове IF с аргументами (@NOT 1 2)
> LESS
> YES
> #F
> 
