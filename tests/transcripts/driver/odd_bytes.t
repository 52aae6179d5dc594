# Carriage returns are blanks and are echoed as they stand.  A NUL byte ends
# what is taken from its line: the echo shows the line up to it with a line
# end added, and no line end is handed on, so the line's last character is
# followed directly by the next line ("12" and "34;" read as 1234), in a
# file and at the keyboard.
=== source escaped
x = 5;\r
-> X\r
x + 1;\r
12\0zz
34;
5\0
+ 1;
=== stdin escaped
x;\r
12\0zz
34;\r
=== stdout escaped noeol
x = 5;\r
-> X
x + 1;\r
-> 6
12
34;
-> 1234
5
+ 1;
-> 6
> 5
> 1234
> 
