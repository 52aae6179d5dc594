# Printing an endless lazily built list forces element after element until
# the small heap runs out; the report follows the partial list on the same
# line, and the next statement works again.
=== args
-m 1 {src}
=== source
lazy(#t);
ints(n) = n : ints(n + 1);
ints(0);
=== stdin
car(cdr(ints(5)));
=== stdout noeol
lazy(#t);
-> #T
ints(n) = n : ints(n + 1);
-> INTS
ints(0);
-> (0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 34 35 36 37 38 39 40 41 42 43 44 45 46 47-> Таблица mem переполнилась
> 6
> 
