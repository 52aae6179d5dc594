#!/usr/bin/env python3
"""Fails when an #include in src/ reaches up the layers.

The folders of src/ form layers: a file may include headers of its own
folder and of the folders listed for it below, nothing else. From the bottom:
the code page (text); the console, which knows no language, beside the
raising of errors; the cells; the evaluator and the built-ins, which call
each other; the printer; the reader; the driver, with the error report; and
on top the Jupyter kernel, which may use all of them.
The parser's generated header belongs to the reader.
"""
import pathlib
import re
import sys

ALLOWED = {
    'text': set(),
    'console': {'text'},
    'errors': {'text'},
    'cells': {'text', 'errors'},
    'eval': {'text', 'console', 'errors', 'cells', 'builtins'},
    'builtins': {'text', 'console', 'errors', 'cells', 'eval'},
    'printer': {'text', 'console', 'errors', 'cells', 'eval', 'builtins'},
    'reader': {'text', 'console', 'errors', 'cells', 'eval', 'builtins', 'printer', 'grammar.hpp'},
    'driver': {'text', 'console', 'errors', 'cells', 'eval', 'builtins', 'printer', 'reader', 'grammar.hpp'},
    'kernel': {'text', 'console', 'errors', 'cells', 'eval', 'builtins', 'printer', 'reader', 'driver',
               'grammar.hpp'},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def violations(src):
    found = []
    for path in sorted(src.rglob('*')):
        if path.suffix not in ('.h', '.cpp', '.y'):
            continue
        folder = path.relative_to(src).parts[0]
        if folder not in ALLOWED:
            found.append(f'{path}: folder {folder} has no place in the layers')
            continue
        for header in INCLUDE.findall(path.read_text(encoding='utf-8')):
            target = header.split('/')[0]
            if target != folder and target not in ALLOWED[folder]:
                found.append(f'{path}: includes {header}, above its layer')
    return found


def self_test():
    """The check itself must catch an upward include and a stray folder."""
    import tempfile
    with tempfile.TemporaryDirectory() as tmp:
        src = pathlib.Path(tmp)
        for name, text in {'cells/cell.h': '#include "errors/xerror.h"\n',
                           'cells/heap.cpp': '#include "driver/report.h"\n',
                           'extra/x.cpp': ''}.items():
            (src / name).parent.mkdir(parents=True, exist_ok=True)
            (src / name).write_text(text)
        found = violations(src)
    return len(found) == 2 and 'driver/report.h' in found[0] and 'extra' in found[1]


def main():
    if sys.argv[1:] == ['--self-test']:
        ok = self_test()
        print('the layer check catches upward includes' if ok else 'the layer check missed a violation')
        return 0 if ok else 1
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parents[1] / 'src')
    found = violations(src)
    for line in found:
        print(line)
    if not found:
        print(f'{src}: every include stays within its layer')
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main())
