# Statements are evaluated while the source is parsed: a definition takes
# effect although a syntax error follows it on the same line, an error in a
# complete statement is reported instead of the syntax error that follows,
# and a statement before a lexical error on the same line is evaluated.
=== source
=== stdin
x = 1 2;
x;
1; 2 3;
nosuch 1;
5; ');
f(x) = x 1;
f(4);
=== stdout noeol
> X
-> Синтаксическая ошибка: стек синтаксического разбора
-> <оператор> <NUMBER>
> 1
> 1
2
-> Синтаксическая ошибка: стек синтаксического разбора
-> <программа> <NUMBER>
> -> Неизвестный символ NOSUCH
> 5
-> Лексическая ошибка: пустое S-выражение
> F
-> Синтаксическая ошибка: стек синтаксического разбора
-> <оператор> <NUMBER>
> 4
> 
