# LC_ALL naming UTF-8 wins over a code page 1251 LANG.
=== env
LC_ALL=C.UTF-8
LANG=ru_RU.CP1251
=== source
'(ёлка);
=== stdout noeol
'(ёлка);
-> (ЁЛКА)
> 
