# A lone "-m" is the name of the source file; opening it fails, and no
# banner is printed.
=== args
-m
=== stdin
1;
=== stdout noeol
-> Ошибка открытия файла -m
> 1
> 
