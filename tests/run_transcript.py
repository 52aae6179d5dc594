#!/usr/bin/env python3
"""Runs one sectioned transcript test against the interpreter binary.

A NAME.jor transcript, which holds its own expected results, is run by the
interpreter itself (jor --check); this runner is for what such a file
cannot express: keyboard input, command lines, files and exit statuses.

NAME.t -- sections introduced by lines "=== KIND [ARG] [flags]":
    === args           one line: the command line, split like a shell does;
                       {src} is the source file's name, {dir} the work folder
                       (default: "{src}" when there is a source, else empty)
    === source [NAME]  the source file (default name prog.jor)
    === file NAME      a further file put into the work folder
    === dir NAME       a folder created in the work folder (no body)
    === stdin          the keyboard input (default: empty)
    === env            KEY=VALUE lines added to the environment
    === stdout         the exact expected standard output
    === outfile NAME   the exact expected content of a file after the run
    === status         the expected exit status (default 0)
    === timeout        seconds before the run counts as hung (default 30)
  Flags on a section: "noeol" drops the section's final newline; "escaped"
  reads \\xNN, \\n, \\r, \\t, \\0 and \\\\ as the bytes they name.
  Lines beginning "#" before the first section are comments.
  Each run gets a fresh work folder as its working directory, and the
  environment has LANG=C.UTF-8 with LC_ALL and LC_CTYPE removed unless the
  env section sets them.

On a mismatch the actual output is written beside the expected one in
ACTUAL_DIR (NAME.actual, NAME.expected) and a diff is printed.
"""
import difflib
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile

HEADER = re.compile(rb"^=== (\w+)(?: +(.*))?$")
FLAGS = {b"noeol", b"escaped"}


def unescape(data):
    out = bytearray()
    i = 0
    while i < len(data):
        c = data[i]
        if c == 0x5C and i + 1 < len(data):
            n = data[i + 1]
            if n == ord("x"):
                out.append(int(data[i + 2:i + 4], 16))
                i += 4
                continue
            out.append({ord("n"): 10, ord("r"): 13, ord("t"): 9, ord("0"): 0,
                        0x5C: 0x5C}.get(n, n))
            i += 2
            continue
        out.append(c)
        i += 1
    return bytes(out)


def parse_t(raw):
    sections = []
    current = None
    for line in raw.split(b"\n")[:-1] if raw.endswith(b"\n") else raw.split(b"\n"):
        m = HEADER.match(line)
        if m:
            words = (m.group(2) or b"").split()
            flags = {w for w in words if w in FLAGS}
            rest = [w for w in words if w not in FLAGS]
            current = {"kind": m.group(1).decode(), "arg": rest[0].decode("utf-8") if rest else None,
                       "flags": flags, "lines": []}
            sections.append(current)
        elif current is None:
            if line.strip() and not line.startswith(b"#"):
                raise SystemExit("text before the first section: %r" % line)
        else:
            current["lines"].append(line)
    for s in sections:
        body = b"\n".join(s["lines"])
        if s["lines"]:
            body += b"\n"
        if b"noeol" in s["flags"] and body.endswith(b"\n"):
            body = body[:-1]
        if b"escaped" in s["flags"]:
            body = unescape(body)
        s["body"] = body
    return sections


def run(binary, argv, cwd, stdin, env, timeout):
    try:
        p = subprocess.run([binary] + argv, cwd=cwd, input=stdin, env=env,
                           stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout)
    except subprocess.TimeoutExpired:
        return None, None, b""
    return p.stdout, p.returncode, p.stderr


def base_env(extra):
    env = dict(os.environ)
    for k in ("LC_ALL", "LC_CTYPE", "LANG", "LANGUAGE"):
        env.pop(k, None)
    env["LANG"] = "C.UTF-8"
    env.update(extra)
    return env


def report(name, actual_dir, what, expected, actual):
    os.makedirs(actual_dir, exist_ok=True)
    with open(os.path.join(actual_dir, name + ".expected"), "wb") as f:
        f.write(expected)
    with open(os.path.join(actual_dir, name + ".actual"), "wb") as f:
        f.write(actual)
    print("MISMATCH in %s (%s)" % (what, name))
    exp = expected.decode("utf-8", "backslashreplace").splitlines(True)
    act = actual.decode("utf-8", "backslashreplace").splitlines(True)
    sys.stdout.writelines(difflib.unified_diff(exp, act, "expected", "actual"))
    print()


def run_settings(one, default_timeout):
    """The extra environment, the keyboard input and the time limit that a
    test's sections (by kind) give its run."""
    env = {}
    if "env" in one:
        for line in one["env"]["body"].decode("utf-8").splitlines():
            if line.strip():
                k, v = line.split("=", 1)
                env[k] = v
    stdin = one["stdin"]["body"] if "stdin" in one else b""
    timeout = float(one["timeout"]["body"]) if "timeout" in one else default_timeout
    return env, stdin, timeout


def check_t(binary, path, actual_dir):
    with open(path, "rb") as f:
        sections = parse_t(f.read())
    name = os.path.splitext(os.path.basename(path))[0]
    one = {}
    for s in sections:
        if s["kind"] in ("args", "source", "stdin", "env", "stdout", "status", "timeout"):
            if s["kind"] in one:
                raise SystemExit("section %s given twice" % s["kind"])
            one[s["kind"]] = s
    work = tempfile.mkdtemp(prefix="jor-t-")
    try:
        src_name = None
        if "source" in one:
            src_name = one["source"]["arg"] or "prog.jor"
            with open(os.path.join(work, src_name), "wb") as f:
                f.write(one["source"]["body"])
        for s in sections:
            if s["kind"] == "file":
                target = os.path.join(work, s["arg"])
                os.makedirs(os.path.dirname(target), exist_ok=True)
                with open(target, "wb") as f:
                    f.write(s["body"])
            elif s["kind"] == "dir":
                os.makedirs(os.path.join(work, s["arg"]), exist_ok=True)
        if "args" in one:
            line = one["args"]["body"].decode("utf-8").strip()
            line = line.replace("{src}", src_name or "").replace("{dir}", work)
            argv = shlex.split(line)
        else:
            argv = [src_name] if src_name else []
        extra, stdin, timeout = run_settings(one, 30)
        out, status, err = run(binary, argv, work, stdin, base_env(extra), timeout)
        if out is None:
            print("HUNG: %s" % path)
            return False
        ok = True
        if "stdout" in one and out != one["stdout"]["body"]:
            report(name, actual_dir, "stdout", one["stdout"]["body"], out)
            ok = False
        want = int(one["status"]["body"]) if "status" in one else 0
        if status != want:
            print("exit status %d, expected %d (%s)" % (status, want, name))
            ok = False
        for s in sections:
            if s["kind"] == "outfile":
                target = os.path.join(work, s["arg"])
                got = open(target, "rb").read() if os.path.exists(target) else b"<missing>"
                if got != s["body"]:
                    report(name + "." + s["arg"], actual_dir, "file " + s["arg"], s["body"], got)
                    ok = False
        if err:
            print("unexpected stderr: %r" % err[:500])
            ok = False
        return ok
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main():
    if len(sys.argv) != 4:
        raise SystemExit("usage: run_transcript.py BINARY TEST ACTUAL_DIR")
    binary, path, actual_dir = os.path.abspath(sys.argv[1]), sys.argv[2], sys.argv[3]
    sys.exit(0 if check_t(binary, path, actual_dir) else 1)


if __name__ == "__main__":
    main()
