# A folder given as the source file cannot be read as one.
=== dir sub
=== args
sub
=== stdin
2;
=== stdout noeol
-> Ошибка открытия файла sub
> 2
> 
