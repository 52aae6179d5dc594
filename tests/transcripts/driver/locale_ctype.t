# The locale is the first non-empty of LC_ALL, LC_CTYPE, LANG: an empty
# LC_ALL is passed over, and "windows-1251" names code page 1251 in any case.
=== env
LC_ALL=
LC_CTYPE=ru_RU.windows-1251
LANG=C.UTF-8
=== source escaped
'(\xb8\xeb\xea\xe0);
=== stdout escaped noeol
'(\xb8\xeb\xea\xe0);
-> (\xa8\xcb\xca\xc0)
> 
