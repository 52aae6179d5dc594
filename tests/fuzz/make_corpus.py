#!/usr/bin/env python3
"""Writes the fuzzing seed corpus into a folder: every example program,
every self-reproducing transcript, and the source and keyboard sections of
every sectioned transcript test, each prefixed with a heap-size byte."""
import os
import sys

here = os.path.dirname(os.path.abspath(__file__))
top = os.path.dirname(os.path.dirname(here))
sys.path.insert(0, os.path.dirname(here))
from run_transcript import parse_t  # noqa: E402


def seeds():
    for folder in [os.path.join(top, "examples")] + [
            os.path.join(top, "tests", "transcripts", d)
            for d in sorted(os.listdir(os.path.join(top, "tests", "transcripts")))]:
        for name in sorted(os.listdir(folder)):
            path = os.path.join(folder, name)
            data = open(path, "rb").read()
            if name.endswith(".jor"):
                yield name, data
            elif name.endswith(".t"):
                for s in parse_t(data):
                    if s["kind"] in ("source", "stdin", "file"):
                        yield name + "." + s["kind"], s["body"]


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    count = 0
    for name, data in seeds():
        if len(data) > 8000:
            continue
        # Heap-size byte: 7 gives a heap of 8 000 cells.
        with open(os.path.join(out, "seed-%04d" % count), "wb") as f:
            f.write(b"\x07" + data)
        count += 1
    print("%d seeds" % count)


if __name__ == "__main__":
    main()
