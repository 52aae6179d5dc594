#!/usr/bin/env python3
"""Fault injection: jor run as a real process under real limits (address
space, stack, file size), writing to outputs that fail (/dev/full, a closed
standard output, a pipe whose reader leaves), reading sources that fail, and
keeping its history file at a real terminal (tmux) against damaged, foreign
and shared files. Every case checks the exit status, standard error and the
whole of what was written.

    faults.py --list                   names of the cases, one a line
    faults.py JOR CASE [--sanitized]   runs one case against the binary JOR

--sanitized marks a build with AddressSanitizer, which reserves far more
address space than any limit here allows: the cases under an address-space
limit are skipped there (exit 77, which ctest shows as a skip), and so are
the history cases where tmux is missing.
"""
import os
import random
import resource
import signal
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "terminal"))
import terminal_test  # noqa: E402  (the tmux driver of the terminal tests)

SKIP = 77
BANNER = ("JOR - функциональный язык, посвящённый всем, кто учит и учится.\n"
          "Версия 1.4: интерпретатор на C++20. Выход - QUIT() или конец ввода.\n")
NO_MEMORY = "-> Нет памяти\n"
STACK = "-> Переполнение стека\n"
CALL_TRACE = "-> Таблица стек вызовов переполнилась\n"
MB = 1 << 20


class Failure(Exception):
    pass


class Skip(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Failure(message)


def expect_equal(actual, expected, what):
    if actual != expected:
        if isinstance(actual, bytes) and len(actual) > 400:
            actual = actual[:200] + b"..." + actual[-200:]
        raise Failure(f"{what}:\n  expected {expected!r}\n  actual   {actual!r}")


class Run:
    """The outcome of one run: status (negative for a signal), output, errors."""

    def __init__(self, status, out, err):
        self.status, self.out, self.err = status, out, err

    def text(self):
        return self.out.decode("utf-8", "replace")


def limits(address_space=None, stack=None, file_size=None, ignore_sigpipe=False, close_stdout=False):
    """What the child sets up for itself between fork and exec."""
    def set_up():
        if address_space:
            resource.setrlimit(resource.RLIMIT_AS, (address_space, address_space))
        if stack:
            resource.setrlimit(resource.RLIMIT_STACK, (stack, resource.getrlimit(resource.RLIMIT_STACK)[1]))
        if file_size is not None:
            resource.setrlimit(resource.RLIMIT_FSIZE, (file_size, file_size))
        if ignore_sigpipe:
            signal.signal(signal.SIGPIPE, signal.SIG_IGN)
        if close_stdout:
            os.close(1)
    return set_up


class Case:
    """A work folder and the binary under test."""

    def __init__(self, jor, folder, sanitized):
        self.jor, self.folder, self.sanitized = jor, folder, sanitized
        self.env = {k: v for k, v in os.environ.items() if k not in ("LC_ALL", "LC_CTYPE")}
        self.env["LANG"] = "C.UTF-8"
        self.env.setdefault("ASAN_OPTIONS", "detect_leaks=0")

    def path(self, name):
        return os.path.join(self.folder, name)

    def write(self, name, data):
        with open(self.path(name), "wb") as f:
            f.write(data.encode() if isinstance(data, str) else data)
        return name

    def read(self, name):
        with open(self.path(name), "rb") as f:
            return f.read()

    def run(self, *args, keyboard=b"", stdout=subprocess.PIPE, env=None, timeout=60, **limit):
        if isinstance(keyboard, str):
            keyboard = keyboard.encode()
        done = subprocess.run([self.jor, *args], input=keyboard, stdout=stdout, stderr=subprocess.PIPE,
                              cwd=self.folder, env=env or self.env, timeout=timeout,
                              preexec_fn=limits(**limit))
        return Run(done.returncode, done.stdout or b"", done.stderr)

    def run_piped(self, source, *args, **limit):
        """Runs with FILE /dev/fd/3, a pipe that `source` is written into:
        large sources never touch the disk."""
        read_end, write_end = os.pipe()
        set_up = limits(**limit)

        def in_child():
            os.dup2(read_end, 3)
            set_up()
        p = subprocess.Popen([self.jor, *args, "/dev/fd/3"], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                             stderr=subprocess.PIPE, cwd=self.folder, env=self.env, pass_fds=(3, read_end),
                             preexec_fn=in_child)
        os.close(read_end)

        def feed():
            with os.fdopen(write_end, "wb") as pipe:
                try:
                    for start in range(0, len(source), MB):
                        pipe.write(source[start:start + MB])
                except BrokenPipeError:
                    pass
        feeder = threading.Thread(target=feed)
        feeder.start()
        out, err = p.communicate(timeout=60)
        feeder.join()
        return Run(p.returncode, out, err)

    def needs_address_limits(self):
        if self.sanitized:
            raise Skip("AddressSanitizer reserves more address space than the limits here allow")


def write_failure(name, reason):
    return f"jor: ошибка записи в {name}: {reason}\n".encode()


STANDARD_OUTPUT = "стандартный вывод"


def long_list_program(statements=40, length=3000):
    """A source whose transcript is long: each statement prints a long list."""
    datum = "(" + " ".join(str(i) for i in range(length)) + ")"
    return "".join(f"'{datum};\n" for _ in range(statements))


# Write failures: status 74, one line on standard error, and whatever was
# written is the transcript up to the failing write.

def case_out_dev_full(c):
    c.write("prog.jor", "1 + 1;\n")
    r = c.run("prog.jor", "/dev/full")
    expect_equal((r.status, r.out, r.err), (74, b"", write_failure("/dev/full", os.strerror(28))), "OUT on /dev/full")


def case_stdout_dev_full(c):
    c.write("prog.jor", "1 + 1;\n")
    with open("/dev/full", "wb") as full:
        r = c.run("prog.jor", stdout=full)
    expect_equal((r.status, r.err), (74, write_failure(STANDARD_OUTPUT, os.strerror(28))), "standard output on /dev/full")
    # The keyboard's prompts and the help text are written the same way.
    with open("/dev/full", "wb") as full:
        expect_equal(c.run(stdout=full, keyboard="1;\n").status, 74, "status with the keyboard only")
        expect_equal(c.run("--help", stdout=full).status, 74, "status of --help")


def case_stdout_closed(c):
    c.write("prog.jor", "1 + 1;\n")
    r = c.run("prog.jor", close_stdout=True)
    expect_equal((r.status, r.err), (74, write_failure(STANDARD_OUTPUT, os.strerror(9))), "closed standard output")


def case_file_size_limit(c):
    c.write("prog.jor", long_list_program())
    whole = c.run("prog.jor", "whole.txt")
    expect_equal(whole.status, 0, "status without a limit")
    transcript = c.read("whole.txt")
    expect(len(transcript) > 100000, "the transcript should be long")
    for limit in (0, 1, 4096, 65536 + 17):
        r = c.run("prog.jor", "cut.txt", file_size=limit)
        expect_equal((r.status, r.err), (74, write_failure("cut.txt", os.strerror(27))), f"OUT under a {limit}-byte limit")
        expect_equal(c.read("cut.txt"), transcript[:limit], f"OUT under a {limit}-byte limit")
    with open(c.path("stdout.txt"), "wb") as out:
        r = c.run("prog.jor", stdout=out, file_size=5000)
    expect_equal((r.status, r.err), (74, write_failure(STANDARD_OUTPUT, os.strerror(27))), "standard output under a limit")
    expect_equal(c.read("stdout.txt"), transcript[:5000], "standard output under a limit")


def reader_leaves(c, ignore_sigpipe):
    """Runs a long transcript into a pipe whose reader takes 10 bytes and goes."""
    c.write("prog.jor", long_list_program(statements=100))
    p = subprocess.Popen([c.jor, "prog.jor"], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                         stderr=subprocess.PIPE, cwd=c.folder, env=c.env,
                         preexec_fn=limits(ignore_sigpipe=ignore_sigpipe))
    head = p.stdout.read(10)
    p.stdout.close()
    err = p.stderr.read()
    status = p.wait(timeout=60)
    expect_equal(head, b"'(0 1 2 3 ", "what the reader got")
    return status, err


def case_pipe_reader_leaves(c):
    status, err = reader_leaves(c, ignore_sigpipe=False)
    expect_equal((status, err), (-signal.SIGPIPE, b""), "with SIGPIPE at its default")


def case_pipe_reader_leaves_sigpipe_ignored(c):
    status, err = reader_leaves(c, ignore_sigpipe=True)
    expect_equal((status, err), (74, write_failure(STANDARD_OUTPUT, os.strerror(32))), "with SIGPIPE ignored")


# OUT never destroys a source.

def case_out_is_file(c):
    source = "x = 1;\n-> X\n"
    c.write("same.jor", source)
    os.link(c.path("same.jor"), c.path("other-name.jor"))
    for out in ("same.jor", "./same.jor", "other-name.jor"):
        r = c.run("same.jor", out)
        expect_equal((r.status, r.text(), r.err), (16, f"-> Ошибка открытия файла {out}\n", b""), f"OUT {out}")
        expect_equal(c.read("same.jor"), source.encode(), f"the source after OUT {out}")


def case_load_out_file(c):
    c.write("start.jor", "1 + 1;\n")
    r = c.run("start.jor", "out.txt", keyboard="LOAD('out.txt);\n2 + 2;\n")
    expect_equal((r.status, r.out, r.err), (0, b"", b""), "LOAD of the OUT file")
    expect_equal(c.read("out.txt").decode(), "1 + 1;\n-> 2\n> -> Ошибка открытия файла OUT.TXT\n> 4\n> ", "OUT")


# A source that cannot be read.

def case_read_error(c):
    r = c.run("/proc/self/mem")
    expect_equal((r.status, r.text(), r.err), (0, "-> Ошибка открытия файла /proc/self/mem\n> ", b""), "FILE")
    os.symlink("/proc/self/mem", c.path("mem.jor"))
    r = c.run(keyboard="LOAD('mem.jor);\n1 + 1;\n")
    expect_equal((r.status, r.text()), (0, BANNER + "> -> Ошибка открытия файла MEM.JOR\n> 2\n> "), "LOAD")


# Address-space limits: a refused allocation is error 2 through the
# recovery point, or at start-up the exit with status 2.

SMALL_SPACE = 24 * MB  # ample for jor -m 1, less than the long lines
LONG = 32 * MB


def case_memory_long_file_line(c):
    c.needs_address_limits()
    source = b"1 + 1;\n" + b" " * LONG + b"y = 7;\n" + b"y;\n" + b"-> old result\n" + b"2 + 2;\n"
    r = c.run_piped(source, "-m", "1", address_space=SMALL_SPACE)
    expect_equal((r.status, r.text(), r.err), (0, "1 + 1;\n-> 2\n" + NO_MEMORY + "y;\n2 + 2;\n> ", b""),
                 "a line too long to hold")


def case_memory_long_keyboard_line(c):
    c.needs_address_limits()
    keyboard = b"1 + 1;\n" + b" " * LONG + b"q = 99;\n" + b"q;\n" + b"3 + 3;\n"
    r = c.run("-m", "1", keyboard=keyboard, address_space=SMALL_SPACE)
    expected = BANNER + "> 2\n> " + NO_MEMORY + "> -> Неизвестный символ Q\n> 6\n> "
    expect_equal((r.status, r.text(), r.err), (0, expected, b""), "the rest of the long line is dropped")


def case_memory_endless_line(c):
    """A line that does not end before the limit: zeros, as from /dev/zero."""
    c.needs_address_limits()
    r = c.run_piped(bytes(3 * LONG), "-m", "1", address_space=SMALL_SPACE)
    expect_equal((r.status, r.text(), r.err), (0, NO_MEMORY + "> ", b""), "a long line of zeros")


def case_memory_big_heap(c):
    c.needs_address_limits()
    c.write("prog.jor", "1 + 1;\n")
    for heap in ("100000", "2000000"):
        r = c.run("-m", heap, "prog.jor", address_space=SMALL_SPACE)
        expect_equal((r.status, r.text(), r.err), (2, NO_MEMORY, b""), f"a heap of -m {heap}")
    r = c.run("-m", "100000", keyboard="1 + 1;\n", address_space=SMALL_SPACE)
    expect_equal((r.status, r.text(), r.err), (2, BANNER + NO_MEMORY, b""), "a heap too big at the keyboard")


def sweep_programs():
    deep = 20000
    return {
        "long line": (b" " * (16 * MB) + b"1 + 1;\n", ["-> 2\n"]),
        "deep data": (f"x = '{'(' * deep}{')' * deep};\nx;\n".encode(), ["-> X\n", "-> " + "(" * deep]),
        "long list": (("'(" + " a" * 300000 + ");\n").encode(), ["-> (A A A"]),
        "many symbols": (("'(" + " ".join(f"s{i}" for i in range(60000)) + ");\n").encode(), ["-> (S0 S1 S2"]),
    }


def case_memory_sweep(c):
    """Each program under address-space limits from too small to start up to
    enough: the run ends by itself, says nothing on standard error, and every
    result it does not show is replaced by a report."""
    c.needs_address_limits()
    reports = (NO_MEMORY, STACK, "-> Таблица mem переполнилась\n", "-> Таблица symbol переполнилась\n")
    for name, (source, results) in sweep_programs().items():
        for space in (8, 14, 20, 28, 40, 64):
            r = c.run_piped(source, "-m", "200", address_space=space * MB)
            what = f"{name} under {space} MB"
            expect(r.err == b"", f"{what}: standard error {r.err[:300]!r}")
            text = r.text()
            if r.status == 2:
                expect_equal(text, NO_MEMORY, f"{what}: the start-up exit")
                continue
            expect_equal(r.status, 0, f"{what}: status")
            expect(text.endswith("\n> "), f"{what}: the run should reach the keyboard: ...{text[-200:]!r}")
            shown = all(result in text for result in results)
            expect(shown or any(report in text for report in reports),
                   f"{what}: neither the results nor a report: ...{text[-300:]!r}")


# Stack limits, with the interpreter's large thread (the limit does not
# bind it) and without it (refused under an address-space limit).

RUNAWAY = "f(n) = 1 + f(n + 1);\nf(0);\n"
DEEP = 100000


def case_stack_small_with_thread(c):
    datum = "(" * DEEP + ")" * DEEP
    for stack in (64 * 1024, 256 * 1024, 2 * MB):
        r = c.run("-m", "1000", keyboard=RUNAWAY + f"'{datum};\n", stack=stack)
        expected = BANNER + "> F\n> " + CALL_TRACE + "> " + datum + "\n> "
        expect_equal((r.status, r.text(), r.err), (0, expected, b""), f"under a {stack // 1024} KB stack")


def case_stack_small_without_thread(c):
    c.needs_address_limits()
    datum = "(" * DEEP + ")" * DEEP
    big_environment = dict(c.env, PADDING="x" * 40000)
    for stack in (64 * 1024, 256 * 1024, 2 * MB, 8 * MB):
        for env in (c.env, big_environment):
            r = c.run("-m", "1000", keyboard=RUNAWAY + f"'{datum};\n2 + 2;\n", stack=stack,
                      address_space=300 * MB, env=env)
            what = f"under a {stack // 1024} KB stack" + (" and a large environment" if env is big_environment else "")
            text = r.text()
            expect_equal((r.status, r.err), (0, b""), what)
            expect(text.endswith("\n> "), f"{what}: the run should reach the end: ...{text[-200:]!r}")
            if stack < 256 * 1024:
                continue  # too small for the guard to let anything run: error 4 throughout
            # Runaway recursion ends in either error; deep data is read unless
            # the stack is too small for it.
            deep_results = (STACK,) if stack <= 2 * MB else (STACK, datum + "\n")
            candidates = [BANNER + "> F\n> " + runaway + "> " + deep + "> 4\n> "
                          for runaway in (STACK, CALL_TRACE) for deep in deep_results]
            expect(text in candidates, f"{what}: the transcript ...{text[-300:]!r}")


# The history file, at a real terminal.

def terminal(c, home):
    if not terminal_test.shutil.which("tmux"):
        raise Skip("tmux is not installed")
    return terminal_test.Terminal(c.jor, home)


HEADER = "_HiStOrY_V2_\n"


def history_entries(home):
    with open(os.path.join(home, ".jor_history"), "rb") as f:
        lines = f.read().decode("utf-8", "replace").split("\n")
    expect_equal(lines[0] + "\n", HEADER, "the header of the history file")
    return [terminal_test.unvis(line) for line in lines[1:] if line]


def session(c, home, *lines):
    """Types each line at a fresh session, then ends it with Ctrl-D."""
    t = terminal(c, home)
    try:
        for line in lines:
            t.wait_prompt()
            t.type(line)
            t.keys("Enter")
        t.wait_prompt()
        t.keys("C-d")
        t.wait("the session to end", lambda screen: t.tmux("list-panes", "-F", "#{pane_dead}").strip() == "1")
    finally:
        t.close()


def case_history_long_lines(c):
    home = c.path("home")
    os.mkdir(home)
    kept = "'" + "k" * 998 + ";"      # 1000 bytes
    too_long = "'" + "t" * 999 + ";"  # 1001 bytes
    with_blanks = "'(" + " x" * 511 + ");"  # 1026 bytes, every blank escaped in the file
    session(c, home, kept, too_long, "x" * 1021 + "=1;", with_blanks, "1 + 1;")
    expect_equal(history_entries(home), [kept, "1 + 1;"], "entries")
    t = terminal(c, home)
    try:
        t.wait_prompt()
        t.keys("Up", "Up")
        t.wait_text("k" * 90)
    finally:
        t.close()


def case_history_damaged(c):
    """Malformed, binary and long lines in a history file are skipped."""
    home = c.path("home")
    os.mkdir(home)
    rng = random.Random(12)
    junk = [bytes(rng.randrange(256) for _ in range(rng.randrange(1, 200))).replace(b"\n", b"") + b"\n"
            for _ in range(50)]
    damaged = [HEADER.encode(), *junk, b"'(first\\040entry);\n", bytes(rng.randrange(128, 256) for _ in range(3000)),
               b"\n", b"\\M-x\\^A\n", b"bad\\9escape\n", b"x" * 5000 + b"\n", b"\xff\xfe not utf-8\n", b"\\\n",
               b"tab\tand\x01control\n", b"'(last\\040good\\040entry);\n", b"'(newest\\040valid);"]
    with open(os.path.join(home, ".jor_history"), "wb") as f:
        f.write(b"".join(damaged))
    t = terminal(c, home)
    try:
        t.wait_prompt()
        t.keys("Up")
        t.wait_lines("> '(newest valid);")
        t.keys("Up")
        t.wait_lines("> '(last good entry);")
        t.keys("Up")
        t.wait_lines("> '(first entry);")
        t.keys("Enter")
        t.wait_lines("> '(first entry);", "(FIRST ENTRY)")
    finally:
        t.close()
    entries = history_entries(home)
    expect_equal(entries[-3:], ["'(last good entry);", "'(newest valid);", "'(first entry);"], "the newest entries")


def case_history_foreign_file(c):
    """A file that is not a history file is left as it is; the session keeps
    its lines in memory."""
    rng = random.Random(7)
    foreign = {"text": ("a line of somebody's notes\n" * 40000).encode(),
               "random": bytes(rng.randrange(256) for _ in range(20000)),
               "no header": b"1 + 1;\n2 + 2;\n"}
    for name, content in foreign.items():
        home = c.path("home-" + name.replace(" ", "-"))
        os.mkdir(home)
        path = os.path.join(home, ".jor_history")
        with open(path, "wb") as f:
            f.write(content)
        t = terminal(c, home)
        try:
            t.enter("6 * 7;", "42")
            t.wait_prompt()
            t.keys("Up")
            t.wait_lines("> 6 * 7;")
            t.keys("Enter")
            t.wait_lines("> 6 * 7;", "42", times=2)
        finally:
            t.close()
        with open(path, "rb") as f:
            expect(f.read() == content, f"the {name} file was changed")


def case_history_shared(c):
    """Two sessions at one home, typing in turn: the file keeps both's lines."""
    home = c.path("home")
    os.mkdir(home)
    first, second = terminal(c, home), terminal(c, home)
    try:
        for i in range(6):
            t = first if i % 2 == 0 else second
            t.enter(f"{i} + 100;", str(i + 100))
    finally:
        first.close()
        second.close()
    expect_equal(history_entries(home), [f"{i} + 100;" for i in range(6)], "entries")


def case_history_trimmed(c):
    """A full file keeps the newest thousand entries, the session's last."""
    home = c.path("home")
    os.mkdir(home)
    with open(os.path.join(home, ".jor_history"), "w") as f:
        f.write(HEADER + "".join(f"e{i};\n" for i in range(1000)))
    session(c, home, "'new1;", "'new2;")
    expect_equal(history_entries(home), [f"e{i};" for i in range(2, 1000)] + ["'new1;", "'new2;"], "entries")


CASES = {name[len("case_"):]: f for name, f in globals().items() if name.startswith("case_")}


def main():
    args = [a for a in sys.argv[1:] if a != "--sanitized"]
    if args == ["--list"]:
        print("\n".join(CASES))
        return 0
    if len(args) != 2 or args[1] not in CASES:
        print(__doc__, file=sys.stderr)
        return 2
    jor, name = os.path.abspath(args[0]), args[1]
    with tempfile.TemporaryDirectory(prefix="jor-faults-") as folder:
        try:
            CASES[name](Case(jor, folder, "--sanitized" in sys.argv))
        except Skip as skip:
            print(f"{name}: skipped: {skip}")
            return SKIP
        except (Failure, terminal_test.Failure) as failure:
            print(f"{name}: {failure}")
            return 1
    print(f"{name}: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
