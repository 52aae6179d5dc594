# The same definition typed twice at the keyboard: the second time it is a
# comparison. Built-in names never open a definition; a name after a token
# other than ";" never does either. After a name the lexer looks past the
# line end, so the "=" of a definition may stand on the next line.
=== source
=== stdin
x = 5;
x = 5;
car = 5;
(w) = 2;
w = 2;
w;
1; v
= 2;
=== stdout noeol
> X
> #T
> -> Неверный аргумент функции =
-> в выражении (= CAR 5)
-> при вызове = с аргументами (@CAR 5)
> -> Неизвестный символ W
-> в выражении (= W 2)
-> при вызове = с аргументами (W 2)
> W
> 2
> 1
> V
> 
