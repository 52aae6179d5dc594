# After an error in a file the rest of the file is echoed but not
# evaluated: lines beginning "->" are left out of it, "- >" and "-" lines
# and empty lines are kept, and the last line, which has no line end, gets
# one.  Statements after the failing one on its own line are not evaluated.
# Then the keyboard is read, with the definitions made so far.
=== source noeol
x = 5;
x + 1;
car(x); x + 2;
-> 7
x * 2;
-> 10

- > 3;
->
-
last line
=== stdin
x * 3;
=== stdout noeol
x = 5;
-> X
x + 1;
-> 6
car(x); x + 2;
-> Неверный аргумент функции CAR
-> в выражении (CAR X)
-> при вызове CAR с аргументами (5)
x * 2;

- > 3;
-
last line
> 15
> 
