# A file may LOAD a file that LOADs another; each loading file stops at its
# LOAD line, and after the last file the keyboard is read.
=== source
a = 1;
LOAD('first.jor); a + 100;
a + 2;
=== file first.jor
b = 2;
load('second.jor);
b + 100;
=== file second.jor
a + b;
c = 3;
=== stdin
a + b + c;
=== stdout noeol
a = 1;
-> A
LOAD('first.jor); a + 100;
b = 2;
-> B
load('second.jor);
a + b;
-> 3
c = 3;
-> C
> 6
> 
