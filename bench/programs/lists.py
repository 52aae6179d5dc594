# lists: build k..k+99, reverse it, append, square every element, then the
# length plus the sum; ten rounds per statement, all by plain recursion on
# pairs (a, rest), with None as the empty list.
def upto(a, b):
    return None if a > b else (a, upto(a + 1, b))


def rev(l, acc):
    return acc if l is None else rev(l[1], (l[0], acc))


def app(l, m):
    return m if l is None else (l[0], app(l[1], m))


def mapsq(l):
    return None if l is None else (l[0] * l[0], mapsq(l[1]))


def len_(l):
    return 0 if l is None else 1 + len_(l[1])


def sum_(l):
    return 0 if l is None else l[0] + sum_(l[1])


def measure(l):
    return len_(l) + sum_(l)


def round_(k):
    l = upto(k, k + 99)
    return measure(mapsq(app(l, rev(l, None))))


def rounds(s, n):
    return 0 if n == 0 else round_(s + n) + rounds(s, n - 1)


print(rounds(10, 10))
print(rounds(20, 10))
print(rounds(30, 10))
print(rounds(40, 10))
print(rounds(50, 10))
print(rounds(60, 10))
print(rounds(70, 10))
print(rounds(80, 10))
print(rounds(90, 10))
print(rounds(100, 10))
print(rounds(110, 10))
print(rounds(120, 10))
print(rounds(130, 10))
print(rounds(140, 10))
print(rounds(150, 10))
print(rounds(160, 10))
print(rounds(170, 10))
print(rounds(180, 10))
print(rounds(190, 10))
print(rounds(200, 10))
