# -m after --check must be a whole number of thousands of cells, at least
# one, that the heap can count; anything else is refused before any file runs.
=== args
--check -m 0x10 prog.jor
=== source
1;
-> 2
=== stdout
jor: неверный размер кучи: -m 0x10
Использование: jor --check [-m N] FILE...
=== status
2
