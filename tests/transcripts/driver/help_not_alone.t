# --help is special only as the single argument; otherwise it is the
# source file name, and the next argument is OUT.
=== args
--help out.txt
=== stdout
=== outfile out.txt noeol
-> Ошибка открытия файла --help
> 
