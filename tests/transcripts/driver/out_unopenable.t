# OUT that cannot be opened ends the run at once with status 16 and the
# message on the original standard output.
=== args
{src} nodir/out.txt
=== source
1;
=== stdout
-> Ошибка открытия файла nodir/out.txt
=== status
16
