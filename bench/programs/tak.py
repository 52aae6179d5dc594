# tak: the Takeuchi function, tak(18, 12, 6) ten times (63 609 applications of tak each).
def tak(x, y, z):
    if not (y < x):
        return z
    return tak(tak(x - 1, y, z), tak(y - 1, z, x), tak(z - 1, x, y))


print(tak(18, 12, 6))
print(tak(18, 12, 6))
print(tak(18, 12, 6))
print(tak(18, 12, 6))
print(tak(18, 12, 6))
print(tak(18, 12, 6))
print(tak(18, 12, 6))
print(tak(18, 12, 6))
print(tak(18, 12, 6))
print(tak(18, 12, 6))
