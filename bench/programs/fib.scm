; fib: doubly recursive Fibonacci, about 635 000 applications of FIB.
(define (show x) (display x) (newline))
(define (fib n) (if (< n 2) n (+ (fib (- n 1)) (fib (- n 2)))))
(show (fib 27))
