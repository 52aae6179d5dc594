# Files that match their runs: exit status 0 and the summary alone. Each file
# runs in a fresh session (the second does not know the first's X); LOAD
# seeks names in the checked file's folder, not the current one, and the
# loaded file's lines and results are part of the transcript; -m sets the
# heap of every run (up(2000) overflows a heap of 2000 cells, not the call
# stack); a file named --check is checked like any other.
=== args
--check -m 2 sub/main.jor ./--check heap.jor
=== file sub/main.jor
// LOAD seeks lib.jor beside this file, not in the current folder.
x = 1;
-> X
LOAD('lib.jor);
from(x) = x + 1;
-> FROM
from(1);
-> 2
=== file sub/lib.jor
from(x) = x + 1;
from(1);
-> 2
=== file lib.jor
from(x) = x - 1;
=== file --check
// A fresh session: x of sub/main.jor is not known here.
x;
-> Неизвестный символ X
=== file heap.jor
up(n) = if n = 0 then '() else n : up(n - 1);
-> UP
up(3);
-> (3 2 1)
up(2000);
-> Таблица mem переполнилась
=== stdout
Проверено файлов: 3, операторов: 7; различий: 0.
