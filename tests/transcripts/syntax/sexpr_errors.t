# Errors of the S-expression reader, typed at the keyboard: each error loses
# only its own line. A list may go on over several keyboard lines. Atoms hold
# at most 99 characters, counted as characters, not as bytes of UTF-8.
=== source
=== stdin
'(a
b);
'(a . b c);
'(a . );
');
';
'(a b;
'(;
`);
'(a . b;
'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa;
'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa;
'(x aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa);
'жжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжж;
'жжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжж;
'(a . b . c);
=== stdout noeol
> > (A B)
> -> Лексическая ошибка: неверное S-выражение - нет )
> -> Лексическая ошибка: пустое S-выражение
> -> Лексическая ошибка: пустое S-выражение
> -> Лексическая ошибка: пустое S-выражение
> -> Лексическая ошибка: неверное S-выражение - нет )
> -> Лексическая ошибка: неверное S-выражение - нет )
> -> Лексическая ошибка: пустое S-выражение
> -> Лексическая ошибка: неверное S-выражение - нет )
> AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA
> -> Лексическая ошибка: слишком длинный идентификатор в S-выражении
> -> Лексическая ошибка: слишком длинный идентификатор в S-выражении
> ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ
> -> Лексическая ошибка: слишком длинный идентификатор в S-выражении
> -> Лексическая ошибка: неверное S-выражение - нет )
> 
