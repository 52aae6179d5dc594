#!/usr/bin/env python3
# Checks the editor support against the interpreter's own sources. Owns no
# state; the Vim check works in a scratch folder.
#   check_editors.py keywords ROOT   every copy of the word keywords is the lexer's set
#   check_editors.py vim ROOT        the Vim plugin loads, highlights as the lexer reads
#                                    and runs the file (exit status 77: no suitable Vim)
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile


def read(root, file):
    with open(os.path.join(root, file), encoding='utf-8') as f:
        return f.read()


def block(root, file, name, bracket):
    """The text of `file` inside the first `bracket` after `name`."""
    text = read(root, file)
    start = text.index(bracket, text.index(name)) + 1
    depth = 1
    for end in range(start, len(text)):
        depth += {bracket: 1, {'{': '}', '[': ']'}[bracket]: -1}.get(text[end], 0)
        if depth == 0:
            return text[start:end]


def strings(text):
    """The string literals of `text`, with their \\uXXXX escapes read."""
    return [re.sub(r'\\u([0-9a-fA-F]{4})', lambda m: chr(int(m.group(1), 16)), a or b)
            for a, b in re.findall(r'"([^"]*)"|\'([^\']*)\'', text)]


# The lexer's table is the source; its operator rows (<=, /\ ...) are not words. Tab
# completion reads the table itself; the unit tests of completion check what it offers.
def lexer_words(root):
    return [w for w in re.findall(r'\{\s*"([^"]+)"\s*,', block(root, 'src/reader/lexer.cpp', 'keywords[] =', '{'))
            if re.fullmatch(r'[A-ZА-ЯЁ]+', w)]


COPIES = {
    'TextMate grammar': lambda root: [w for rule in json.loads(read(
        root, 'editors/vscode/syntaxes/jor.tmLanguage.json'))['repository']['keywords']['patterns']
        for w in re.search(r'\(\?:([^()]*)\)', rule['match']).group(1).split('|')],
    'Vim syntax': lambda root: strings(''.join(re.findall(r'\[[^]]*\]', block(
        root, 'editors/vim/syntax/jor.vim', 's:keywords =', '{')))),
    'playground': lambda root: strings(block(root, 'web/src/jor-language.js', 'KEYWORDS', '[')),
    'Jupyter Notebook mode': lambda root: strings(block(root, 'src/kernel/kernelspec/kernel.js', 'var keywords', '[')),
}


def check_keywords(root):
    source = lexer_words(root)
    failed = len(source) < 20
    for name, extract in COPIES.items():
        if name == 'playground' and not os.path.exists(os.path.join(root, 'web/src/jor-language.js')):
            print('web/src/jor-language.js does not exist yet: the playground is not compared')
            continue
        words = extract(root)
        if sorted(words) != sorted(source):
            failed = True
            print(f'{name}: lacks {sorted(set(source) - set(words))}, adds {sorted(set(words) - set(source))},'
                  f' has {len(words)} entries for the lexer\'s {len(source)}')
    print(f'{len(source)} word keywords in the lexer: {"FAILED" if failed else "every copy holds them"}')
    return int(failed)


# Lines, and for each the pieces in order with the highlight group of their every character.
NAME, IF = 'jorName', 'jorConditional'
VIM_CASES = [
    ('2else .5 x2if 2if a?if if? #TRUE #x', [
        ('2e', 'jorNumber'), ('lse', NAME), ('.5', NAME), ('x2if', NAME), ('2', 'jorNumber'), ('if', IF), ('a?', NAME),
        ('if', IF), ('if?', NAME), ('#T', 'jorBoolean'), ('RUE', NAME), ('#', 'jorError'), ('x', NAME)]),
    ('Л(x) /\\(y) 7 div 2 <> lambda', [
        ('Л', 'jorLambda'), ('(', 'jorDelimiter'), ('/\\', 'jorLambda'), ('div', 'jorWordOperator'), ('<>', 'jorOperator'),
        ('lambda', NAME)]),
    ("'(a 5 a5 (#t) . b) `(+ 1) '(if // x) x // if", [
        ('a', 'jorQuoted'), ('5', 'jorAtomNumber'), ('a5', 'jorQuoted'), ('#t', 'jorAtomBoolean'), ('.', 'jorAtomDot'),
        ('+', 'jorBackquoted'), ('if // x', 'jorQuoted'), ('x', NAME), ('// if', 'jorComment')]),
    ("'(a ; b /* if", [('a', 'jorQuoted'), (';', 'jorDelimiter'), ('b', NAME), ('/* if', 'jorComment')]),
    ('-> (IF 1)', [('-> (IF 1)', 'jorResult')]),
    ('*/ x -> y', [('*/', 'jorComment'), ('x', NAME), ('-', 'jorOperator'), ('>', 'jorOperator')]),
    ("x = '", [("'", 'jorQuoteAtEnd')]),
    ('  (a 5) b', [('(', 'jorSexprDelimiter'), ('a', 'jorQuotedList'), ('5', 'jorAtomNumber'), ('b', NAME)]),
]
KEYWORD_GROUPS = {IF, 'jorBinding', 'jorPromise', 'jorLambda', 'jorWordOperator'}


# Writes, for the file it opens, each line's highlight groups and what :JorRun started.
VIM_PROBE = r'''
set nocompatible encoding=utf-8
execute 'set rtp^=' . fnameescape($PLUGIN)
filetype plugin on
syntax on
execute 'edit' fnameescape($SOURCE)
let s:groups = map(range(1, line('$')), {_, n -> map(range(strchars(getline(n))),
      \ {_, i -> synIDattr(synID(n, byteidx(getline(n), i) + 1, 1), 'name')})})
let s:report = {'groups': s:groups, 'filetype': &filetype, 'commentstring': &commentstring}
let [g:jor_program, g:jor_arguments] = [$FAKE, ['-m', '7']]
JorRun
for s:i in range(100)
  if filereadable($FAKE . '.out') | break | endif
  sleep 50m
endfor
let s:report.errors = v:errmsg
call writefile([json_encode(s:report)], $REPORT)
qa!
'''


def check_vim(root):
    vim = shutil.which('vim')
    if not vim or not re.search(r'\+syntax.*\+terminal|\+terminal.*\+syntax', subprocess.run(
            [vim, '--version'], capture_output=True, text=True).stdout, re.S):
        print('vim with +syntax and +terminal is not installed: the Vim plugin is not checked')
        return 77
    spellings = [s for w in lexer_words(root) for s in (w, w.lower(), w[0] + w[1:].lower())]
    lines = [line for line, _ in VIM_CASES] + [' '.join(spellings)]
    with tempfile.TemporaryDirectory() as folder:
        env = dict(os.environ, PLUGIN=os.path.join(root, 'editors/vim'), SOURCE=os.path.join(folder, 'a program.jor'),
                   FAKE=os.path.join(folder, 'fake jor'), REPORT=os.path.join(folder, 'report.json'))
        with open(env['SOURCE'], 'w', encoding='utf-8') as f:
            f.write('\n'.join(lines) + '\n')
        with open(env['FAKE'], 'w') as f:
            f.write('#!/bin/sh\n{ pwd; printf "%s\\n" "$@"; } > "$0.out"\n')
        os.chmod(env['FAKE'], 0o755)
        probe = os.path.join(folder, 'probe.vim')
        with open(probe, 'w') as f:
            f.write(VIM_PROBE)
        subprocess.run([vim, '-Es', '-u', 'NONE', '-i', 'NONE', '-N', '-S', probe], env=env,
                       stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
        with open(env['REPORT'], encoding='utf-8') as f:
            report = json.load(f)
        with open(env['FAKE'] + '.out', encoding='utf-8') as f:
            ran = f.read().splitlines()
        complaints = [f'{key} is {report[key]!r}' for key, want in
                      [('errors', ''), ('filetype', 'jor'), ('commentstring', '// %s')] if report[key] != want]
        if ran != [folder, '-m', '7', env['SOURCE']]:
            complaints.append(f':JorRun ran {ran}')
    for (line, pieces), groups in zip(VIM_CASES, report['groups']):
        at = 0
        for piece, group in pieces:
            at = line.index(piece, at)
            got = {g for c, g in zip(line[at:at + len(piece)], groups[at:]) if c != ' '}
            if got != {group}:
                complaints.append(f'{piece!r} in {line!r} is {sorted(got)}, not {group}')
            at += len(piece)
    at = 0
    for word in spellings:
        groups = report['groups'][-1][at:at + len(word)]
        if len(groups) != len(word) or not set(groups) <= KEYWORD_GROUPS:
            complaints.append(f'keyword {word} is {groups}')
        at += len(word) + 1
    complaints.append(f'vim: {len(spellings)} keyword spellings, {len(VIM_CASES)} lines, {len(complaints)} faults')
    print('\n'.join(complaints))
    return int(len(complaints) > 1)


if __name__ == '__main__':
    if len(sys.argv) != 3 or sys.argv[1] not in ('keywords', 'vim'):
        sys.exit('usage: check_editors.py keywords|vim ROOT')
    sys.exit({'keywords': check_keywords, 'vim': check_vim}[sys.argv[1]](sys.argv[2]))
