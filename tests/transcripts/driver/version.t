# --version alone prints the banner's version line and ends at once; the
# keyboard is not read.
=== args
--version
=== stdin
1;
=== stdout
Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.
