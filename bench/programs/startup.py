# startup: one small statement, so the time is that of starting and ending.
print(1 + 1)
