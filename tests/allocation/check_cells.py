#!/usr/bin/env python3
"""Holds the number of cells each statement takes against a record.

Usage: check_cells.py BINARY [--record] [--jobs N]

Where a statement runs out of heap follows from how many cells it takes, so
a faster evaluator must take exactly as many, at the same points. Every
transcript test, every example and every benchmark program (with a generated
big source; these also with a heap they do not fill) runs at several heap sizes with JOR_CELL_LOG set; the counts the
interpreter writes there, the exit status and a digest of the output must
equal the record in baseline.txt beside this script. --record rewrites it.

A transcript whose command line starts with -m or with an option runs once
as written (its heap size is what it tests); every other case runs with each
of HEAP_SIZES put in front of its arguments.
"""
import concurrent.futures
import glob
import hashlib
import os
import shlex
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
TESTS = os.path.dirname(HERE)
REPO = os.path.dirname(TESTS)
BASELINE = os.path.join(HERE, "baseline.txt")
HEAP_SIZES = ["500", "40", "8", "3"]
# fib and tak fill even the largest of those in one statement; at this size
# every benchmark program runs to its end.
BENCH_HEAP_SIZES = HEAP_SIZES + ["20000"]
BIG_SOURCE_SIZE = "1000"

sys.path.insert(0, TESTS)
import run_transcript  # noqa: E402


class Case:
    """One run: files to lay out in a fresh folder (or a folder to run in),
    the command line, the keyboard input and the environment additions."""

    def __init__(self, name, argv, cwd=None, files=(), dirs=(), stdin=b"", env=None, timeout=60):
        self.name, self.argv, self.cwd = name, argv, cwd
        self.files, self.dirs, self.stdin = list(files), list(dirs), stdin
        self.env, self.timeout = env or {}, timeout


def compress(counts):
    """Runs of equal counts as COUNTxTIMES."""
    out, i = [], 0
    while i < len(counts):
        j = i
        while j < len(counts) and counts[j] == counts[i]:
            j += 1
        out.append(str(counts[i]) if j - i == 1 else f"{counts[i]}x{j - i}")
        i = j
    return " ".join(out)


def self_transcript_cases(path, label, heap_sizes=HEAP_SIZES):
    folder, base = os.path.split(os.path.abspath(path))
    return [Case(f"{label}@{m}", ["-m", m, base], cwd=folder) for m in heap_sizes]


def sectioned_cases(path, label):
    with open(path, "rb") as f:
        sections = run_transcript.parse_t(f.read())
    one = {s["kind"]: s for s in sections}
    src = None
    files, dirs = [], []
    if "source" in one:
        src = one["source"]["arg"] or "prog.jor"
        files.append((src, one["source"]["body"]))
    for s in sections:
        if s["kind"] == "file":
            files.append((s["arg"], s["body"]))
        elif s["kind"] == "dir":
            dirs.append(s["arg"])
    line = one["args"]["body"].decode("utf-8").strip() if "args" in one else "{src}" if src else ""
    env, stdin, timeout = run_transcript.run_settings(one, 60)
    argv = [w.replace("{src}", src or "") for w in shlex.split(line)]
    common = dict(files=files, dirs=dirs, stdin=stdin, env=env, timeout=timeout)
    if argv and argv[0].startswith("-"):
        return [Case(f"{label}@own", argv, **common)]
    return [Case(f"{label}@{m}", ["-m", m] + argv, **common) for m in HEAP_SIZES]


def all_cases(work):
    cases = []
    for path in sorted(glob.glob(os.path.join(TESTS, "transcripts", "*", "*"))):
        label = os.path.relpath(path, TESTS)
        if path.endswith(".jor"):
            cases += self_transcript_cases(path, label)
        elif path.endswith(".t"):
            cases += sectioned_cases(path, label)
    for path in sorted(glob.glob(os.path.join(REPO, "examples", "*.jor"))):
        cases += self_transcript_cases(path, os.path.relpath(path, REPO))
    for path in sorted(glob.glob(os.path.join(REPO, "bench", "programs", "*.jor"))):
        cases += self_transcript_cases(path, os.path.relpath(path, REPO), BENCH_HEAP_SIZES)
    big = os.path.join(work, "big")
    subprocess.run([sys.executable, os.path.join(REPO, "bench", "gen-big"), BIG_SOURCE_SIZE, big], check=True)
    for m in BENCH_HEAP_SIZES:
        cases.append(Case(f"bench/big{BIG_SOURCE_SIZE}@{m}", ["-m", m, f"big{BIG_SOURCE_SIZE}.jor"], cwd=big))
    return cases


def run_case(binary, case):
    """The case's record line: name, exit status, output digest, counts."""
    work = tempfile.mkdtemp(prefix="jor-cells-")
    try:
        for name, body in case.files:
            target = os.path.join(work, name)
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as f:
                f.write(body)
        for name in case.dirs:
            os.makedirs(os.path.join(work, name), exist_ok=True)
        log = os.path.join(work, ".cell-log")
        env = run_transcript.base_env({**case.env, "JOR_CELL_LOG": log})
        argv = [a.replace("{dir}", work) for a in case.argv]
        try:
            done = subprocess.run([binary] + argv, cwd=case.cwd or work, input=case.stdin, env=env,
                                  stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=case.timeout)
            status, digest = str(done.returncode), hashlib.sha256(done.stdout + done.stderr).hexdigest()[:16]
        except subprocess.TimeoutExpired:
            status, digest = "hung", "-"
        counts = []
        if os.path.exists(log):
            with open(log, encoding="ascii") as f:
                counts = [int(x) for x in f.read().split()]
        return f"{case.name} {status} {digest} {compress(counts)}".rstrip()
    finally:
        shutil.rmtree(work, ignore_errors=True)


def first_difference(expected, actual):
    want, got = expected.split(), actual.split()
    for i, (a, b) in enumerate(zip(want, got)):
        if a != b:
            return f"field {i + 1}: recorded {a!r}, now {b!r}"
    return f"recorded {len(want)} fields, now {len(got)}"


def main():
    args = sys.argv[1:]
    if not args:
        sys.exit(__doc__)
    binary = os.path.abspath(args[0])
    record = "--record" in args
    jobs = int(args[args.index("--jobs") + 1]) if "--jobs" in args else os.cpu_count() or 2
    with tempfile.TemporaryDirectory(prefix="jor-cells-") as work:
        cases = all_cases(work)
        with concurrent.futures.ThreadPoolExecutor(jobs) as pool:
            lines = list(pool.map(lambda c: run_case(binary, c), cases))
    if record:
        with open(BASELINE, "w", encoding="utf-8") as f:
            f.write("# case@heap exit-status output-digest cells-per-statement (NxK: K statements of N)\n")
            f.write("\n".join(lines) + "\n")
        print(f"recorded {len(lines)} runs in {BASELINE}")
        return
    with open(BASELINE, encoding="utf-8") as f:
        recorded = {line.split(" ", 1)[0]: line.rstrip("\n") for line in f if not line.startswith("#")}
    failed = 0
    for line in lines:
        name = line.split(" ", 1)[0]
        want = recorded.pop(name, None)
        if want is None:
            print(f"NEW {name}: no record (run with --record)")
            failed += 1
        elif want != line:
            print(f"DIFFERS {name}: {first_difference(want, line)}")
            failed += 1
    for name in recorded:
        print(f"GONE {name}: recorded but not run")
        failed += 1
    print(f"{len(lines) - failed} passed, {failed} failed")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
