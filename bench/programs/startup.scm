; startup: one small statement, so the time is that of starting and ending.
(display (+ 1 1))
(newline)
