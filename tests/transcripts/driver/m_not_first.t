# "-m" counts only as the first argument: here it is the name of OUT, and
# the 2 after it is ignored.
=== args
{src} -m 2
=== source
1 + 1;
=== stdin
2;
=== stdout
=== outfile -m noeol
1 + 1;
-> 2
> 2
> 
