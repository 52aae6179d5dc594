# QUIT inside a procedure, in a file, with OUT: Bye goes to OUT, no "-> "
# precedes it, and the rest of the file is not read.
=== args
{src} out.txt
=== source
x = 1;
f(n) = IF n = 0 THEN quit() ELSE n;
f(2);
f(0);
x;
=== stdin
5;
=== stdout
=== outfile out.txt
x = 1;
-> X
f(n) = IF n = 0 THEN quit() ELSE n;
-> F
f(2);
-> 2
f(0);
Bye
