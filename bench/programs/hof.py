# hof: map, filter and a left fold written in the language, applied with
# function literals and with partial applications (closures that supply the
# first argument, as JOR's automatic currying does); 25 passes over a
# 100-element list per statement. Lists are pairs (a, rest), None is empty.
def upto(a, b):
    return None if a > b else (a, upto(a + 1, b))


def map_(f, l):
    return None if l is None else (f(l[0]), map_(f, l[1]))


def filter_(p, l):
    if l is None:
        return None
    if p(l[0]):
        return (l[0], filter_(p, l[1]))
    return filter_(p, l[1])


def foldl(f, acc, l):
    return acc if l is None else foldl(f, f(acc, l[0]), l[1])


def add(a, b):
    return a + b


def mul(a, b):
    return a * b


def less(a, b):
    return a < b


def curried(l):
    return foldl(add, 0, map_(lambda b: mul(3, b), filter_(lambda b: less(50, b), l)))


def literals(l):
    return foldl(lambda a, x: a + x * x, 0,
                 filter_(lambda x: x % 2 == 0, map_(lambda x: x + 1, l)))


def passes(n, l):
    return 0 if n == 0 else curried(l) + literals(l) + passes(n - 1, l)


def hof(k):
    return passes(25, upto(k, k + 99))


print(hof(1))
print(hof(2))
print(hof(3))
print(hof(4))
print(hof(5))
print(hof(6))
print(hof(7))
print(hof(8))
print(hof(9))
print(hof(10))
print(hof(11))
print(hof(12))
print(hof(13))
print(hof(14))
print(hof(15))
print(hof(16))
print(hof(17))
print(hof(18))
print(hof(19))
print(hof(20))
