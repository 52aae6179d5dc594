#!/usr/bin/env python3
"""Sessions at a real terminal: jor runs inside tmux, keys are typed with
send-keys and the screen is read back with capture-pane.

    terminal_test.py --list          names of the cases, one a line
    terminal_test.py JOR CASE        runs one case against the binary JOR

Exits 0 when the case passes, 1 when it fails (with the screen shown), and
77 when tmux is missing, which ctest reports as a skip.
"""
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
# Generous, for sanitizer builds on a busy machine; polling ends much sooner.
TIMEOUT = float(os.environ.get("JOR_TERMINAL_TIMEOUT", "45"))
WIDTH, HEIGHT = 100, 40
INTERRUPT_REPORT = "-> Прерывание по Ctrl-C"
STATUS = re.compile(r"\[exit status (\d+)\]")


class Failure(Exception):
    pass


class Terminal:
    """One jor in a tmux server of its own, with a fixed window size."""

    count = 0

    def __init__(self, jor, home, args=(), shows_status=False):
        Terminal.count += 1
        self.jor = jor
        self.socket = f"jor-test-{os.getpid()}-{Terminal.count}"
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("TMUX", "TMUX_PANE", "LC_ALL", "LC_CTYPE")}
        self.env["LANG"] = "C.UTF-8"
        self.config = os.path.join(tempfile.gettempdir(), self.socket + ".conf")
        with open(self.config, "w") as f:
            # The pane outlives jor, so its last screen stays readable.
            f.write("set -g remain-on-exit on\nset -g history-limit 5000\n")
        command = ["env", "-u", "LC_ALL", "-u", "LC_CTYPE", "TERM=xterm-256color",
                   "LANG=C.UTF-8", f"HOME={home}", jor, *args]
        if shows_status:
            # tmux does not always learn how its pane's process ended, so a
            # shell around jor shows the exit status on the screen. Only where
            # no Ctrl-C is pressed: that would reach the shell as well.
            command = ["sh", "-c", '"$@"; echo "[exit status $?]"', "sh", *command]
        self.tmux("new-session", "-d", "-x", str(WIDTH), "-y", str(HEIGHT), "-s", "jor", shlex.join(command))

    def tmux(self, *args):
        done = subprocess.run(["tmux", "-u", "-L", self.socket, "-f", self.config, *args],
                              env=self.env, capture_output=True, text=True)
        if done.returncode != 0:
            raise Failure(f"tmux {' '.join(args)}: {done.stderr.strip()}")
        return done.stdout

    def type(self, text):
        # As raw bytes: tmux would take a trailing ";" for a command separator.
        self.tmux("send-keys", "-t", "jor", "-H", *[f"{b:02x}" for b in text.encode()])

    def keys(self, *names):
        self.tmux("send-keys", "-t", "jor", *names)

    def screen(self):
        """The whole session so far, scrolled-off lines included, right-trimmed."""
        text = self.tmux("capture-pane", "-p", "-J", "-S", "-", "-t", "jor")
        return [line.rstrip() for line in text.rstrip("\n").split("\n")]

    def wait(self, what, check):
        deadline = time.monotonic() + TIMEOUT
        while True:
            lines = self.screen()
            if check(lines):
                return lines
            if time.monotonic() > deadline:
                raise Failure(f"waited {TIMEOUT:.0f} s for {what}; the screen:\n" + "\n".join(lines))
            time.sleep(0.05)

    def wait_lines(self, *expected, times=1):
        """Waits until the lines `expected` stand one under another `times` times."""
        n = len(expected)
        return self.wait(f"{times} x {list(expected)}",
                         lambda lines: sum(lines[i:i + n] == list(expected)
                                           for i in range(len(lines) - n + 1)) >= times)

    def wait_text(self, text):
        return self.wait(repr(text), lambda lines: any(text in line for line in lines))

    def wait_prompt(self, prompt=">"):
        """Waits until the editor shows an empty prompt at the bottom of the
        session: ">", or "." where a line continues a statement."""
        return self.wait(f"an empty prompt {prompt!r}", lambda lines: lines and lines[-1] == prompt)

    def enter(self, text, *result):
        """Types a line, presses Enter and waits for the line and its result."""
        self.wait_prompt()
        self.type(text)
        self.keys("Enter")
        return self.wait_lines(("> " + text).rstrip(), *result)

    def exit_status(self):
        """Waits for jor to end and returns its exit status."""
        lines = self.wait("jor to end", lambda lines: any(STATUS.fullmatch(line) for line in lines))
        return int(next(STATUS.fullmatch(line) for line in lines if STATUS.fullmatch(line)).group(1))

    def close(self):
        subprocess.run(["tmux", "-L", self.socket, "kill-server"], env=self.env, capture_output=True)
        if os.path.exists(self.config):
            os.remove(self.config)


def expect(condition, message, lines=()):
    if not condition:
        raise Failure(message + ("\nthe screen:\n" + "\n".join(lines) if lines else ""))


def shows_exit_status(case):
    """Marks a case that reads jor's exit status, so its jor runs under a shell."""
    case.shows_status = True
    return case


@shows_exit_status
def case_statement(t, home):
    """The banner, a statement and its result, one spread over two lines, end of input."""
    t.wait_text("JOR - функциональный язык")
    t.enter("1 + 2;", "3", ">")
    t.wait_prompt()
    t.type("2 *")
    t.keys("Enter")
    t.wait_lines("> 2 *", ".")
    t.type("(3 + 4);")
    t.keys("Enter")
    t.wait_lines("> 2 *", ". (3 + 4);", "14", ">")
    t.wait_prompt()
    t.keys("C-d")
    expect(t.exit_status() == 0, "end of input should end the run with status 0", t.screen())


def case_editing(t, home):
    """Arrow keys, Home, End and Delete edit the middle of the line."""
    t.wait_prompt()
    t.type("1 + 3;")
    t.keys("Left", "Left")
    t.type("2")
    t.keys("Enter")
    t.wait_lines("> 1 + 23;", "24")
    t.wait_prompt()
    t.type("2 * 3;")
    t.keys("Home")
    t.type("100 + ")
    t.keys("End", "BSpace")
    t.type(" - 1;")
    t.keys("Home", "Right", "Right", "DC")
    t.keys("Enter")
    t.wait_lines("> 10 + 2 * 3 - 1;", "15")


def case_history_recall(t, home):
    """Up brings back earlier lines, which can be edited before Enter."""
    t.enter("6 * 7;", "42")
    t.enter("1 - 1;", "0")
    t.wait_prompt()
    t.keys("Up", "Up")
    t.wait_lines("> 6 * 7;")
    t.keys("Left", "BSpace")
    t.type("8")
    t.keys("Enter")
    t.wait_lines("> 6 * 8;", "48")
    t.wait_prompt()
    t.keys("C-r")
    t.type("1 -")
    t.wait_text("bck:1 -")
    t.keys("Enter")
    t.wait_lines("> 1 - 1;", "0", times=2)


def case_cyrillic(t, home):
    """Cyrillic keywords and names typed in UTF-8, edited character by character."""
    t.enter("ЕСЛИ 1 < 2 ТО 10 ИНАЧЕ 20;", "10")
    t.wait_prompt()
    t.type("ЕСЛИ 1 > 2 ТО 10 ИНАЧ 20;")
    t.keys("Left", "Left", "Left", "Left")
    t.type("Е")
    t.keys("Enter")
    t.wait_lines("> ЕСЛИ 1 > 2 ТО 10 ИНАЧЕ 20;", "20")
    t.enter("длина(с) = ЕСЛИ NULL(с) ТО 0 ИНАЧЕ 1 + длина(CDR(с));", "ДЛИНА")
    t.enter("длина('(а б в));", "3")


def case_interrupt(t, home):
    """Ctrl-C stops a statement that prints without end and clears a line being
    typed; the session goes on with every definition."""
    t.enter("x = 5;", "X")
    t.wait_prompt()
    t.type("lazy(#t); ones = 1 : ones; ones;")
    t.keys("Enter")
    t.wait_text("1 1 1 1 1 1 1 1")
    t.keys("C-c")
    t.wait_text(INTERRUPT_REPORT)
    t.enter("x + 1;", "6")
    t.enter("car(ones);", "1")
    t.wait_prompt()
    t.type("x / 0 ошибка")
    t.keys("Left", "Left", "C-c")
    t.wait_lines("> x / 0 ошибка^C", ">")
    t.enter("x * 2;", "10")
    # A Ctrl-C at an empty prompt is no interruption of the next statement.
    t.wait_prompt()
    t.keys("C-c")
    t.wait_lines("> ^C", ">")
    lines = t.enter("x * 3;", "15", ">")
    expect(sum(INTERRUPT_REPORT in line for line in lines) == 1,
           "only the running statement should have been interrupted", lines)
    expect(not any("Синтаксическая" in line for line in lines),
           "a dropped line should never be read", lines)


def case_unfinished_statement(t, home):
    """A line that continues a statement is prompted by ".", a comment or a
    quoted list left open included; Ctrl-C there drops the whole statement."""
    t.wait_prompt()
    t.type("f(x) = if x > 0")
    t.keys("Enter")
    t.wait_prompt(".")
    t.type("then 1")
    t.keys("Enter")
    t.wait_lines("> f(x) = if x > 0", ". then 1", ".")
    t.keys("C-c")
    t.wait_lines(". then 1", ". ^C", ">")
    t.enter("2 + 2;", "4", ">")
    lines = t.enter("f;", "-> Неизвестный символ F")
    expect(not any("Синтаксическая" in line for line in lines), "the dropped statement was read", lines)
    # An unfinished line dropped with its statement: nothing of either is read.
    t.wait_prompt()
    t.type("car('(a")
    t.keys("Enter")
    t.wait_prompt(".")
    t.type("b c")
    t.keys("Left", "C-c")
    t.wait_lines(". b c^C", ">")
    t.wait_prompt()
    t.type("/* a comment")
    t.keys("Enter")
    t.wait_prompt(".")
    t.type("on two lines */ 3 *")
    t.keys("Enter")
    t.wait_prompt(".")
    t.type("5;")
    t.keys("Enter")
    t.wait_lines("> /* a comment", ". on two lines */ 3 *", ". 5;", "15", ">")
    # After a finished statement and on the same line as its end, "> " again.
    t.enter("1; 2;", "1", "2", ">")
    # Ctrl-C at the first line of a statement only drops that line.
    t.wait_prompt()
    t.type("x =")
    t.keys("C-c")
    t.wait_lines("> x =^C", ">")
    t.enter("10 - 3;", "7")


def unvis(line):
    return re.sub(r"\\(\d{3})", lambda m: chr(int(m.group(1), 8)), line)


@shows_exit_status
def case_history_file(t, home):
    """History is kept in ~/.jor_history, without empty lines, across runs."""
    t.enter("7 * 6;", "42")
    t.enter("", ">")
    t.enter("   ", ">")
    t.enter("ЕСЛИ #t ТО 1 ИНАЧЕ 2;", "1")
    t.wait_prompt()
    t.keys("C-d")
    expect(t.exit_status() == 0, "end of input should end the run with status 0", t.screen())
    path = os.path.join(home, ".jor_history")
    expect(os.path.exists(path), "no ~/.jor_history was written")
    with open(path, encoding="utf-8") as f:
        entries = [unvis(line.rstrip("\n")) for line in f][1:]
    expect(entries == ["7 * 6;", "ЕСЛИ #t ТО 1 ИНАЧЕ 2;"], f"history file holds {entries}")
    t.close()

    again = Terminal(t.jor, home)
    try:
        again.wait_prompt()
        again.keys("Up", "Up")
        again.wait_lines("> 7 * 6;")
        again.keys("Enter")
        again.wait_lines("> 7 * 6;", "42")
    finally:
        again.close()

    nowhere = os.path.join(home, "missing")
    lost = Terminal(t.jor, nowhere, shows_status=True)
    try:
        lost.enter("2 + 2;", "4")
        lost.wait_prompt()
        lost.keys("Up")
        lost.wait_lines("> 2 + 2;")
        lost.keys("C-u", "C-d")
        expect(lost.exit_status() == 0, "a home that cannot be written should not matter", lost.screen())
        expect(not os.path.exists(nowhere), "nothing should be made where HOME points nowhere")
    finally:
        lost.close()


def case_completion(t, home):
    """Tab completes built-in names, keywords and defined names, and lists the choices."""
    t.wait_prompt()
    t.type("quoti")
    t.keys("Tab")
    t.wait_lines("> quotient")
    t.type("(7, 2);")
    t.keys("Enter")
    t.wait_lines("> quotient(7, 2);", "3")
    t.enter("длинноеимя = 5;", "ДЛИННОЕИМЯ")
    t.wait_prompt()
    t.type("ЕСЛИ 1 > 2 ТО 1 ИНА")
    t.keys("Tab")
    t.type(" ДЛИН")
    t.keys("Tab")
    t.type(";")
    t.keys("Enter")
    t.wait_lines("> ЕСЛИ 1 > 2 ТО 1 ИНАЧЕ ДЛИННОЕИМЯ;", "5")
    t.wait_prompt()
    t.type("nu")
    t.keys("Tab")
    t.wait_lines("> nu", "null     null?    number   number?", "> nu")
    t.type("mber?(1);")
    t.keys("Enter")
    t.wait_lines("> number?(1);", "#T")


CASES = {name[len("case_"):]: f for name, f in globals().items() if name.startswith("case_")}


def main():
    if sys.argv[1:] == ["--list"]:
        print("\n".join(CASES))
        return 0
    if len(sys.argv) != 3 or sys.argv[2] not in CASES:
        print(__doc__, file=sys.stderr)
        return 2
    if not shutil.which("tmux"):
        print("tmux is not installed: the terminal tests are skipped")
        return SKIP
    jor, case = os.path.abspath(sys.argv[1]), sys.argv[2]
    with tempfile.TemporaryDirectory(prefix="jor-terminal-") as home:
        t = Terminal(jor, home, shows_status=getattr(CASES[case], "shows_status", False))
        try:
            CASES[case](t, home)
        except Failure as failure:
            print(f"{case}: {failure}")
            return 1
        finally:
            t.close()
    print(f"{case}: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
