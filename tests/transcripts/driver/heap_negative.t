# A negative heap size fails like 0; with a source file there is no banner
# and nothing of the file is read.
=== args
-m -5 {src}
=== source
1;
=== stdout
-> Таблица mem переполнилась
=== status
9
