# Names hold at most 31 characters, numbers too; a sign right after the
# exponent letter may stand as the 32nd character of a number. Cyrillic
# letters count as one character each.
=== source
=== stdin
abcdefghijklmnopqrstuvwxyzabcde = 1;
abcdefghijklmnopqrstuvwxyzabcdef = 2;
abcdefghijklmnopqrstuvwxyzabcd? = 3;
abcdefghijklmnopqrstuvwxyzabcde? = 4;
жжжжжжжжжжжжжжжжжжжжжжжжжжжжжжж = 5;
жжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжж = 6;
1111111111111111111111111111111;
11111111111111111111111111111111;
111111111111111111111111111111e+;
111111111111111111111111111111e+5;
11111111111111111111111111111e+5;
1111111111111111111111111111e+5;
1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1;
1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.;
=== stdout noeol
> ABCDEFGHIJKLMNOPQRSTUVWXYZABCDE
> -> Лексическая ошибка: слишком длинный идентификатор
> ABCDEFGHIJKLMNOPQRSTUVWXYZABCD?
> -> Лексическая ошибка: слишком длинный идентификатор
> ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ
> -> Лексическая ошибка: слишком длинный идентификатор
> 1.11111e+30
> -> Лексическая ошибка: слишком длинное число
> 1.11111e+29
> -> Лексическая ошибка: слишком длинное число
> -> Лексическая ошибка: слишком длинное число
> 1.11111e+32
> 1.1
> -> Лексическая ошибка: слишком длинное число
> 
