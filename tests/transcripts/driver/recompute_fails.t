# For code 13 the arguments of the failed built-in call are evaluated again
# for the report.  When that second evaluation fails (here F has redefined
# itself as a number) or reaches QUIT or LOAD, it is given up silently: the
# arguments are shown as written, the outer lines are those of the original
# failure, and the session goes on with the redefinition in place.
=== source
f(n) = { LET u = 0 IN `(define f 5); n };
w(x) = car(f(x));
w(0);
=== stdin
f;
g(n) = { LET u = 0 IN `(define g (lambda (n) (quit))); n };
car(g(0));
k(n) = { LET u = 0 IN `(define k (lambda (n) (load 'lib.jor))); n };
car(k(0));
7;
=== file lib.jor
'(loaded);
=== stdout noeol
f(n) = { LET u = 0 IN `(define f 5); n };
-> F
w(x) = car(f(x));
-> W
w(0);
-> Неверный аргумент функции CAR
-> в выражении (CAR (F X))
-> при вызове CAR с аргументами ((F X))
-> при вызове W с аргументами (0)
> 5
> G
> -> Неверный аргумент функции CAR
-> в выражении (CAR (G 0))
-> при вызове CAR с аргументами ((G 0))
> K
> -> Неверный аргумент функции CAR
-> в выражении (CAR (K 0))
-> при вызове CAR с аргументами ((K 0))
> 7
> 
