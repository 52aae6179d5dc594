# When two arguments would both fail, the error reported is the one of the
# argument evaluated first; a non-number is reported before any later
# argument is evaluated.
=== source
=== stdin
a ^ b;
a % b;
a \ b;
a / b;
a + b;
a : b;
eq(a, b);
atan(a, b);
max(a, b);
`(> 1 2 ZZ);
expt(zz, 'x);
remainder(zz, 'x);
remainder('x, zz);
'x + zz;
zz + 'x;
=== stdout noeol
> -> Неизвестный символ B
-> в выражении (EXPT A B)
-> при вызове EXPT с аргументами (A B)
> -> Неизвестный символ B
-> в выражении (REMAINDER A B)
-> при вызове REMAINDER с аргументами (A B)
> -> Неизвестный символ A
-> в выражении (QUOTIENT A B)
-> при вызове QUOTIENT с аргументами (A B)
> -> Неизвестный символ A
-> в выражении (/ A B)
-> при вызове / с аргументами (A B)
> -> Неизвестный символ A
-> в выражении (+ A B)
-> при вызове + с аргументами (A B)
> -> Неизвестный символ B
-> в выражении (CONS A B)
-> при вызове CONS с аргументами (A B)
> -> Неизвестный символ B
-> в выражении (EQ A B)
-> при вызове EQ с аргументами (A B)
> -> Неизвестный символ A
-> в выражении (ATAN A B)
-> при вызове ATAN с аргументами (A B)
> -> Неизвестный символ A
-> в выражении (MAX A B)
-> при вызове MAX с аргументами (A B)
> -> Неизвестный символ ZZ
-> в выражении (> 1 2 ZZ)
-> при вызове > с аргументами (1 2 ZZ)
> -> Неверный аргумент функции EXPT
-> в выражении (EXPT ZZ (QUOTE X))
-> при вызове EXPT с аргументами (ZZ (QUOTE X))
> -> Неверный аргумент функции REMAINDER
-> в выражении (REMAINDER ZZ (QUOTE X))
-> при вызове REMAINDER с аргументами (ZZ (QUOTE X))
> -> Неизвестный символ ZZ
-> в выражении (REMAINDER (QUOTE X) ZZ)
-> при вызове REMAINDER с аргументами ((QUOTE X) ZZ)
> -> Неверный аргумент функции +
-> в выражении (+ (QUOTE X) ZZ)
-> при вызове + с аргументами ((QUOTE X) ZZ)
> -> Неизвестный символ ZZ
-> в выражении (+ ZZ (QUOTE X))
-> при вызове + с аргументами (ZZ (QUOTE X))
> 
