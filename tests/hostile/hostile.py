#!/usr/bin/env python3
"""Hostile inputs too large to keep as transcript files: each case builds its
source, runs the interpreter on it, and compares the whole output and exit
status with the expected transcript, also built here.

usage: hostile.py BINARY CASE
"""
import os
import subprocess
import sys
import tempfile

PIECE = 10239
SYNTAX = "-> Синтаксическая ошибка: стек синтаксического разбора\n"


def echo(line):
    """The echo of one source line: pieces of at most 10239 characters, each
    ended by a line end."""
    body = line.rstrip("\n")
    pieces = [body[i:i + PIECE] for i in range(0, len(body), PIECE)] or [""]
    return "".join(p + "\n" for p in pieces)


def transcript(statements):
    """Source and expected output of a file of (line, results) pairs."""
    source = "".join(line + "\n" for line, _ in statements)
    out = "".join(echo(line) + "".join("-> %s\n" % r for r in results) for line, results in statements)
    return source, out + "> "


BANNER = ("JOR - функциональный язык, посвящённый всем, кто учит и учится.\n"
          "Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.\n")


def keyboard(statements):
    """Keyboard input of (line, results) pairs and the expected output: the
    banner, then each result after the prompt of its line (results are not
    marked, error reports begin with "-> "). An error drops only the rest of
    its own line."""
    keys = "".join(line + "\n" for line, _ in statements)
    out = BANNER + "".join("> " + "".join("%s\n" % r for r in results) for _, results in statements)
    return None, keys, out + "> "


def nested_sexpr():
    depth = 100000
    datum = "(" * depth + ")" * depth
    return ["-m", "1000"], transcript([
        ("x = '%s;" % datum, ["X"]),
        ("x;", [datum]),
        ("`(DEFINE X 0);", ["X"]),
        ("'%s;" % datum, [datum]),
    ])


def nested_infix():
    depth = 10000
    line = "(" * depth + "1" + ")" * depth + ";"
    source, _ = transcript([("1 + 1;", []), (line, []), ("2 + 2;", [])])
    # The parser's stack holds 200 states; after the first statement three
    # are in use, so the 197th "(" fills it, inside
    # the first piece of the long line. The rest of the file is echoed, not
    # evaluated.
    pieces = echo(line).split("\n")
    display = "-> " + " ".join(["<оператор>", ";"] + ["("] * 197) + "\n"
    out = echo("1 + 1;") + "-> 2\n" + pieces[0] + "\n" + SYNTAX + display + pieces[1] + "\n"
    return [], (source, out + echo("2 + 2;") + "> ")


def long_list():
    n = 100000
    numbers = " ".join(str(i) for i in range(1, n + 1))
    return ["-m", "1000"], transcript([
        ("x = '(%s);" % numbers, ["X"]),
        ("x;", ["(%s)" % numbers]),
        ("`(APPLY + X);", ["5.00005e+09"]),
        ("apply(max, x);", ["100000"]),
        ("`(DEFINE X 0);", ["X"]),
        ("y = '(%s);" % numbers, ["Y"]),
        ("apply(min, y);", ["1"]),
    ])


def many_bindings():
    n = 10000
    infix = "; ".join("a%d = %d" % (i, i) for i in range(1, n + 1))
    sexpr = " ".join("(B%d %d)" % (i, i) for i in range(1, n + 1))
    return [], transcript([
        ("{ LET %s IN a1 + a%d };" % (infix, n), [str(n + 1)]),
        ("`(LET (%s) (- B%d B1));" % (sexpr, n), [str(n - 1)]),
        ("{ a%d * 2 WHERE %s };" % (n, infix), [str(2 * n)]),
    ])


def many_arguments():
    n = 10000
    args = ", ".join(str(i) for i in range(1, n + 1))
    return [], transcript([
        ("count(...) = { c(...) WHERE c = Л(l) IF null(l) THEN 0 ELSE 1 + c(cdr(l)) };", ["COUNT"]),
        ("max(%s);" % args, [str(n)]),
        ("first(x, ...) = x;", ["FIRST"]),
        ("first(%s);" % args, ["1"]),
        ("`(+ %s);" % " ".join(["1"] * n), [str(n)]),
    ])


def over_application():
    # Curried over-application re-enters the body without end: the call trace
    # fills up and the session goes on.
    return [], keyboard([
        ("curry(#t);", ["#T"]),
        ("f(x) = f(x, x);", ["F"]),
        ("f(1);", ["-> Таблица стек вызовов переполнилась"]),
        ("g(x, y) = g(x)(y, y);", ["G"]),
        ("g(1, 2);", ["-> Таблица стек вызовов переполнилась"]),
        ("f;", ["[(LAMBDA (X) (F X X))]"]),
    ])


def deep_structure_gc():
    # A structure nested 150 000 deep on the car side is built 500 levels at
    # a time, survives a collection after every statement, and is taken
    # apart again level by level.
    steps = 300
    return [], transcript(
        [("wrap(x, n) = if n = 0 then x else wrap(x : '(), n - 1);", ["WRAP"]),
         ("unwrap(x, n) = if n = 0 then x else unwrap(car(x), n - 1);", ["UNWRAP"]),
         ("d = 'bottom;", ["D"])]
        + [("`(DEFINE D (WRAP D 500));", ["D"])] * steps
        + [("pair?(d);", ["#T"]), ("e = d;", ["E"])]
        + [("`(DEFINE E (UNWRAP E 500));", ["E"])] * steps
        + [("e;", ["BOTTOM"])])


CASES = {f.__name__: f for f in (nested_sexpr, nested_infix, long_list, many_bindings,
                                 many_arguments, over_application, deep_structure_gc)}


def main():
    binary, case = os.path.abspath(sys.argv[1]), sys.argv[2]
    args, run = CASES[case]()
    source, keys, expected = run if len(run) == 3 else (run[0], "", run[1])
    with tempfile.TemporaryDirectory(prefix="jor-hostile-") as work:
        if source is not None:
            with open(os.path.join(work, "prog.jor"), "w", encoding="utf-8") as f:
                f.write(source)
            args = args + ["prog.jor"]
        env = {k: v for k, v in os.environ.items() if k not in ("LC_ALL", "LC_CTYPE", "LANG")}
        env["LANG"] = "C.UTF-8"
        p = subprocess.run([binary] + args, cwd=work, input=keys.encode("utf-8"),
                           stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=env, timeout=300)
    actual = p.stdout.decode("utf-8", "replace")
    if actual != expected or p.returncode != 0 or p.stderr:
        for i, (a, b) in enumerate(zip(actual.splitlines(), expected.splitlines())):
            if a != b:
                print("line %d differs:\n  expected %.200r\n  actual   %.200r" % (i + 1, b, a))
                break
        print("expected %d characters, got %d; exit status %d; stderr %.300r" %
              (len(expected), len(actual), p.returncode, p.stderr))
        sys.exit(1)


if __name__ == "__main__":
    main()
