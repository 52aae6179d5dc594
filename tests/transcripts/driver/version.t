=== args
--version
=== stdin
1;
=== stdout
JOR 1.4
