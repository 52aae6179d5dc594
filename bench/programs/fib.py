# fib: doubly recursive Fibonacci, about 635 000 applications of fib.
def fib(n):
    return n if n < 2 else fib(n - 1) + fib(n - 2)


print(fib(27))
