# LOAD seeks the upper-case name first; only when no file has exactly that
# name does it take one whose name differs in letter case, the first in
# byte order.  LOAD in a file: neither the rest of its line nor the lines
# after it are evaluated or echoed, and the keyboard follows the loaded file.
=== source
load('lib.jor); 1;
2;
=== file LIB.JOR
'upper;
=== file Lib.jor
'mixed;
=== file lib.jor
'lower;
=== file data.jor
'data2;
=== file Data.jor
'data1;
=== stdin
load('data.jor);
3;
=== stdout noeol
load('lib.jor); 1;
'upper;
-> UPPER
> 'data1;
-> DATA1
> 3
> 
