# An OUT that cannot be opened is reported with its name as any message
# argument is: cut to 127 characters of code page 1251 (here 6 of the folder
# and 121 Cyrillic letters of the 130 given), written back in UTF-8.
=== args
{src} nodir/яяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяя
=== source
1;
=== stdout
-> Ошибка открытия файла nodir/яяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяяя
=== status
16
