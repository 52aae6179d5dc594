# Errors under lazy evaluation: the report forces no promise (an argument
# never needed shows as its expression in brackets), and lazy evaluation
# is still on after the report.
=== source
lazy(#t);
g(a, b) = sqrt(a);
=== stdin
g('x, 1 + 1);
g(-1, car(5));
y = car(5);
y;
cdr(y : 2);
g(16, car(5));
=== stdout noeol
lazy(#t);
-> #T
g(a, b) = sqrt(a);
-> G
> -> Неверный аргумент функции SQRT
-> в выражении (SQRT A)
-> при вызове SQRT с аргументами (X)
-> при вызове G с аргументами (X [(+ 1 1)])
> -> Аргумент вне области определения функции sqrt
> Y
> -> Неверный аргумент функции CAR
-> в выражении (CAR 5)
-> при вызове CAR с аргументами (5)
> 2
> 4
> 
