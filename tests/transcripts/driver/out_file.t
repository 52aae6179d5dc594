# FILE OUT: everything goes to OUT -- echoed lines, results, error reports
# and the keyboard prompts -- and arguments after OUT are ignored.  The
# source's last line has neither ";" nor a line end: it is echoed with a line
# end added and evaluated at the end of the file.
=== args
{src} out.txt ignored1 ignored2
=== source noeol
x = 5;
x + 1
=== stdin
x * 2;
car(x);
=== stdout
=== outfile out.txt noeol
x = 5;
-> X
x + 1
-> 6
> 10
> -> Неверный аргумент функции CAR
-> в выражении (CAR X)
-> при вызове CAR с аргументами (5)
> 
