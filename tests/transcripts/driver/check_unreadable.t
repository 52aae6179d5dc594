# A file that cannot be read (missing, or a folder) is named with the reason
# and the others are still checked; the status is then 2 whatever they show.
=== args
--check ok.jor missing.jor bad.jor folder
=== file ok.jor
x = 1;
-> X
=== file bad.jor
x = 1;
-> Y
=== dir folder
=== stdout
missing.jor: не удаётся прочитать файл: No such file or directory
bad.jor:1: x = 1;
  ожидалось:   -> Y
  получено:    -> X
folder: не удаётся прочитать файл: Is a directory
Проверено файлов: 2 из 4, операторов: 2; различий: 1.
=== status
2
