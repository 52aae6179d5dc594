# Lines that are not valid UTF-8 are taken as single-byte code page text:
# 0xB8 is the letter ё, 0xB9 (№), 0xAB («) and 0xBB (») are not letters and
# make a syntax error outside a datum. Characters the code page lacks
# become "?", in the echo of the line as well.
=== source escaped
\xB8\xEB\xEA\xE0 = 1;
'(中 文);
'(\xB9 \xAB\xBB);
1 + \xB9;
=== stdin escaped
2 * \xAB;\n\xB8\xEB\xEA\xE0 + 1;
=== stdout noeol
ёлка = 1;
-> ЁЛКА
'(? ?);
-> (? ?)
'(№ «»);
-> (№ «»)
1 + №;
-> Синтаксическая ошибка: стек синтаксического разбора
-> <программа> ; <выражение> + №
> -> Синтаксическая ошибка: стек синтаксического разбора
-> <выражение> * «
> 2
> 
