# running out of cells in the middle of a run of global definitions leaves
# every earlier binding intact: global names and values stay in step.
# Each (D X Y) takes exactly two new cells for its binding.
# As heap_define_a, but PAD keeps five cells, so the run of definitions
# stops at the other of the two cells a definition takes.
=== args
-m 1
=== stdin
`(DEFINE Y 7);
`(DEFINE D DEFINE);
`(DEFINE PAD (QUOTE (1)));
`(LET () (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y) (D X Y));
y;
d;
pad;
nw = 3;
nw;
y;
=== stdout noeol
JOR - функциональный язык, посвящённый всем, кто учит и учится.
Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.
> Y
> D
> PAD
> -> Таблица mem переполнилась
> 7
> @DEFINE
> (1)
> NW
> 3
> 7
> 
