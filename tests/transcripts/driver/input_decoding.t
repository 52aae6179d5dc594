# Under a UTF-8 locale a line that is valid UTF-8 is decoded (a character
# code page 1251 lacks becomes "?"); a line that is not valid UTF-8 is taken
# as code page 1251 bytes as a whole, even where part of it looks like
# UTF-8.  Output, echo included, is UTF-8.
=== source escaped
'(\xef\xf0\xe8\xe2\xe5\xf2);
'(\xd1\x8f\xff);
x = 1; // \xe7\xe0\xec\xe5\xf2\xea\xe0
'(\xd1\x91\xd0\xb6);
'(x\xe4\xb8\xady);
'(a\xe2\x82\xacb);
=== stdout noeol
'(привет);
-> (ПРИВЕТ)
'(СЏя);
-> (СЏЯ)
x = 1; // заметка
-> X
'(ёж);
-> (ЁЖ)
'(x?y);
-> (X?Y)
'(a€b);
-> (A€B)
> 
