# A source file that does not exist: error 16 with the name as given, no
# banner, and the run goes on from the keyboard.
=== args
нет_файла.jor
=== stdin
'(а б);
=== stdout noeol
-> Ошибка открытия файла нет_файла.jor
> (А Б)
> 
