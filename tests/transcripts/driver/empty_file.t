# An empty source file echoes nothing and prints no banner; the keyboard
# follows.
=== source
=== stdout noeol
> 
