#!/usr/bin/env python3
"""Checks that the examples of the user guide are what the interpreter does.

Owns no state beyond one scratch folder per run. Three checks:

  check_docs.py JOR GUIDE.md [ACTUAL_DIR] [--update]
      Runs every example block of the guide and compares.

      ```jor [NAME]   a file transcript: run as "jor NAME" with an empty
                      keyboard, the output must be the block itself followed
                      by the prompt "> ", exit status 0 -- the same rule as
                      the self-reproducing .jor transcripts of the test suite.
                      Without NAME the block is saved as example.jor; with a
                      NAME it is also kept under that name for later blocks
                      (a LOAD, a command line).
      ```session [status=N]
                      a keyboard session: the first line is "$ jor ARGS", the
                      rest is the screen. A line that begins with "> " (or is
                      ">" alone) is a prompt followed by what the user typed;
                      the last such line, when nothing follows the prompt, is
                      the end of input. The keyboard input is the typed text;
                      the expected output is the screen without it. The exit
                      status must be N (default 0).

      ```file NAME    a file saved under NAME for later blocks and not run:
                      a transcript that is meant not to match its run, say.

      Every block runs in a fresh interpreter; only files named by earlier
      blocks are shared, in one scratch folder, in the order of the guide.
      With --update the ```jor blocks are rewritten with the actual output
      (results must then be read and checked by a person).

  check_docs.py JOR GUIDE.md --builtins
      The tables between <!-- builtins --> and <!-- /builtins --> name every
      predefined name in their first column: each must be a built-in of the
      interpreter, there must be 56 besides the car/cdr family, and each must
      be used in an example block of that part of the guide.

  check_docs.py --loaded MAIN LOADED
      LOADED is read by the LOAD on the last read line of the transcript MAIN,
      so MAIN holds LOADED's transcript after that line: both must agree
      byte for byte, result lines included.
"""
import difflib
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile

FENCE = re.compile(r"^```(jor|session|file)\b(.*)$")
BUILTIN_ROW = re.compile(r"^\|\s*`([^`]+)`")
CADR = re.compile(r"^C[AD]+R$")
BUILTIN_COUNT = 56


def blocks(text):
    """Yields (kind, info, first line number, body) for every example block."""
    lines = text.split("\n")
    i = 0
    while i < len(lines):
        m = FENCE.match(lines[i])
        if not m:
            i += 1
            continue
        start = i
        i += 1
        body = []
        while i < len(lines) and lines[i] != "```":
            body.append(lines[i])
            i += 1
        if i == len(lines):
            raise SystemExit("line %d: block not closed" % (start + 1))
        yield m.group(1), m.group(2).strip(), start + 1, body
        i += 1


def environment():
    env = dict(os.environ)
    for k in ("LC_ALL", "LC_CTYPE", "LANG", "LANGUAGE"):
        env.pop(k, None)
    env["LANG"] = "C.UTF-8"
    return env


def run(jor, args, cwd, stdin):
    try:
        p = subprocess.run([jor] + args, cwd=cwd, input=stdin, env=environment(),
                           stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
    except subprocess.TimeoutExpired:
        return None, None, b""
    return p.stdout, p.returncode, p.stderr


def session_io(screen):
    """Splits a screen into (keyboard input, expected output)."""
    prompts = [i for i, line in enumerate(screen) if line == ">" or line.startswith("> ")]
    last = len(screen) - 1
    end_of_input = bool(prompts) and prompts[-1] == last and screen[last].rstrip() == ">"
    typed, out = [], []
    for i, line in enumerate(screen):
        if i in prompts:
            out.append("> ")
            if not (end_of_input and i == last):
                typed.append(line[2:] + "\n")
        else:
            out.append(line + "\n")
    return "".join(typed).encode(), "".join(out).encode()


def show_diff(where, expected, actual, actual_dir, number):
    print("MISMATCH: %s" % where)
    exp = expected.decode("utf-8", "backslashreplace").splitlines(True)
    act = actual.decode("utf-8", "backslashreplace").splitlines(True)
    sys.stdout.writelines(difflib.unified_diff(exp, act, "expected", "actual"))
    print()
    if actual_dir:
        os.makedirs(actual_dir, exist_ok=True)
        for suffix, data in (("expected", expected), ("actual", actual)):
            with open(os.path.join(actual_dir, "guide-%03d.%s" % (number, suffix)), "wb") as f:
                f.write(data)


def save_file(work, name, body):
    if not name:
        raise SystemExit("a file block must name its file")
    with open(os.path.join(work, name), "wb") as f:
        f.write(("\n".join(body) + "\n").encode())


def check_jor_block(jor, work, info, body):
    name = info or "example.jor"
    content = ("\n".join(body) + "\n").encode()
    with open(os.path.join(work, name), "wb") as f:
        f.write(content)
    out, status, err = run(jor, [name], work, b"")
    return content + b"> ", out, status, 0, err


def check_session_block(jor, work, info, body):
    if not body or not body[0].startswith("$ jor"):
        raise SystemExit("a session block must begin with \"$ jor\"")
    args = shlex.split(body[0][len("$ jor"):])
    status = int(info.split("=", 1)[1]) if info.startswith("status=") else 0
    stdin, expected = session_io(body[1:])
    out, got, err = run(jor, args, work, stdin)
    return expected, out, got, status, err


def check_guide(jor, guide, actual_dir, update):
    with open(guide, encoding="utf-8") as f:
        text = f.read()
    work = tempfile.mkdtemp(prefix="jor-guide-")
    passed = failed = 0
    replacements = {}
    try:
        for number, (kind, info, line, body) in enumerate(blocks(text)):
            if kind == "file":
                save_file(work, info, body)
                continue
            check = check_jor_block if kind == "jor" else check_session_block
            expected, out, status, want, err = check(jor, work, info, body)
            where = "%s:%d (%s block)" % (guide, line, kind)
            if out is None:
                print("HUNG: %s" % where)
                failed += 1
                continue
            ok = out == expected and status == want and not err
            if not ok and update and kind == "jor" and out.endswith(b"> "):
                replacements[line] = out[:-2].decode("utf-8").rstrip("\n").split("\n")
                ok = True
            if out != expected and line not in replacements:
                show_diff(where, expected, out, actual_dir, number)
            if status != want:
                print("exit status %s, expected %d: %s" % (status, want, where))
            if err:
                print("unexpected stderr: %s: %r" % (where, err[:500]))
            passed, failed = passed + ok, failed + (not ok)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    if replacements:
        rewrite(guide, text, replacements)
        print("rewrote %d block(s); read the new results before keeping them" % len(replacements))
    print("%d passed, %d failed" % (passed, failed))
    return failed == 0 and passed > 0


def rewrite(guide, text, replacements):
    lines = text.split("\n")
    for line in sorted(replacements, reverse=True):
        end = line
        while lines[end] != "```":
            end += 1
        lines[line:end] = replacements[line]
    with open(guide, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))


def builtin_part(text):
    m = re.search(r"<!-- builtins -->(.*)<!-- /builtins -->", text, re.S)
    if not m:
        raise SystemExit("no <!-- builtins --> part in the guide")
    return m.group(1)


def used_in(name, code):
    if re.fullmatch(r"[A-Z?]+", name):
        return re.search(r"(?<![\w?])%s(?![\w?])" % re.escape(name), code, re.I) is not None
    return name in code


def first_result(jor, work, source):
    """The first "-> " line of running SOURCE as a file, without the arrow.
    One run per name: an unknown name ends the file it stands in."""
    with open(os.path.join(work, "name.jor"), "w", encoding="utf-8") as f:
        f.write(source)
    out, _, _ = run(jor, ["name.jor"], work, b"")
    m = re.search(r"^-> (.*)$", (out or b"").decode("utf-8", "replace"), re.M)
    return m.group(1) if m else None


def check_builtins(jor, guide):
    with open(guide, encoding="utf-8") as f:
        part = builtin_part(f.read())
    names = []
    for line in part.split("\n"):
        m = BUILTIN_ROW.match(line)
        if m and m.group(1) not in names:
            names.append(m.group(1))
    code = "\n".join("\n".join(body) for _, _, _, body in blocks(part))
    ok = True
    work = tempfile.mkdtemp(prefix="jor-guide-")
    try:
        for name in names:
            shown = first_result(jor, work, "`%s;\n" % name)
            if shown != "@" + name:
                print("%s is not a built-in: `%s gives %s" % (name, name, shown))
                ok = False
            if not used_in(name, code):
                print("%s has no example" % name)
                ok = False
    finally:
        shutil.rmtree(work, ignore_errors=True)
    plain = [n for n in names if not CADR.match(n)]
    if len(plain) != BUILTIN_COUNT:
        print("%d predefined names in the tables, %d expected" % (len(plain), BUILTIN_COUNT))
        ok = False
    print("%d names: %s" % (len(names), "all built-in, each with an example" if ok else "FAILED"))
    return ok


def check_loaded(main, loaded):
    with open(main, "rb") as f:
        transcript = f.read()
    with open(loaded, "rb") as f:
        content = f.read()
    marker = re.compile(rb"^[^\n]*LOAD\s*\(\s*'" + re.escape(os.path.basename(loaded).encode())
                        + rb"\s*\)[^\n]*\n", re.I | re.M)
    m = marker.search(transcript)
    if not m:
        print("%s does not LOAD %s" % (main, loaded))
        return False
    tail = transcript[m.end():]
    if tail != content:
        show_diff("%s against the end of %s" % (loaded, main), tail, content, None, 0)
        return False
    return True


def main():
    args = sys.argv[1:]
    if len(args) == 3 and args[0] == "--loaded":
        ok = check_loaded(args[1], args[2])
    elif len(args) == 3 and args[2] == "--builtins":
        ok = check_builtins(os.path.abspath(args[0]), args[1])
    elif 2 <= len(args) <= 4:
        update = "--update" in args
        rest = [a for a in args if a != "--update"]
        ok = check_guide(os.path.abspath(rest[0]), rest[1], rest[2] if len(rest) > 2 else None, update)
    else:
        raise SystemExit(__doc__)
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
