# At the keyboard "> " is printed before each line is read, never between
# the pieces of one statement's line: a statement that ends its line is
# printed before the next prompt, an expression without ";" needs one more
# line first, and an identifier at a line end makes the reader look at the
# next line.  Empty and comment-only lines get a prompt each; a line
# beginning "->" is skipped and the line read in its place gets no prompt
# of its own.  The last line has no line end, so no prompt follows its
# result.
=== stdin noeol
x = 5;
x + 1
;
1; 2;

// only a comment
-> 99
x
* 2;
'(a
b);
7;
=== stdout
JOR - функциональный язык, посвящённый всем, кто учит и учится.
Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.
> X
> > 6
> 1
2
> > > > 10
> > (A B)
> 7
