# --check with nothing to check: the usage line and status 2.
=== args
--check
=== stdout
Использование: jor --check [-m N] FILE...
=== status
2
