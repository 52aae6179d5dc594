# Runaway recursion of every kind ends with the call trace full (error 9,
# no trace printed); definitions survive and the session goes on. A
# recursion that stays within the 1024 entries returns normally.
=== source
f(n) = f(n + 1);
ping(n) = pong(n + 1);
pong(n) = ping(n + 1);
g(x) = apply(g, x : '());
p = delay force p;
down(n) = if n = 0 then 0 else down(n - 1);
fact(n) = if n = 0 then 1 else n * fact(n - 1);
=== stdin
f(0);
ping(0);
g(1);
force p;
p;
down(510);
down(511);
fact(10);
fact(340);
fact(341);
f(0);
lazy(#t);
x = x + 1;
x;
lazy(#f);
down(5) + fact(5);
=== stdout noeol
f(n) = f(n + 1);
-> F
ping(n) = pong(n + 1);
-> PING
pong(n) = ping(n + 1);
-> PONG
g(x) = apply(g, x : '());
-> G
p = delay force p;
-> P
down(n) = if n = 0 then 0 else down(n - 1);
-> DOWN
fact(n) = if n = 0 then 1 else n * fact(n - 1);
-> FACT
> -> Таблица стек вызовов переполнилась
> -> Таблица стек вызовов переполнилась
> -> Таблица стек вызовов переполнилась
> -> Таблица стек вызовов переполнилась
> [(FORCE P)]
> 0
> -> Таблица стек вызовов переполнилась
> 3628800
> inf
> -> Таблица стек вызовов переполнилась
> -> Таблица стек вызовов переполнилась
> #T
> X
> -> Таблица стек вызовов переполнилась
> #F
> 120
> 
