// Tokenises JOR with the VS Code grammar, as VS Code does, and holds every
// character's scope against a plain re-reading of the interpreter's lexer and
// reader (below), over the examples, the transcripts and hand-picked cases.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';

const require = createRequire(import.meta.url);
const vsctm = require('vscode-textmate');
const oniguruma = require('vscode-oniguruma');
const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const read = (file) => fs.readFileSync(path.join(root, file), 'utf8');

const table = read('src/reader/lexer.cpp').split('keywords[] = {')[1].split('};')[0];
const keywords = [...table.matchAll(/\{\s*"([А-яЁёA-Z]+)"\s*,/g)].map((m) => m[1]);  // the word rows

await oniguruma.loadWASM(fs.readFileSync(require.resolve('vscode-oniguruma/release/onig.wasm')).buffer);
const grammarFile = path.join(root, 'editors/vscode/syntaxes/jor.tmLanguage.json');
const grammar = await new vsctm.Registry({
  onigLib: Promise.resolve({
    createOnigScanner: (patterns) => new oniguruma.OnigScanner(patterns),
    createOnigString: (text) => new oniguruma.OnigString(text),
  }),
  loadGrammar: async () => vsctm.parseRawGrammar(fs.readFileSync(grammarFile, 'utf8'), grammarFile),
}).loadGrammar('source.jor');

// The scopes under every character of `text` less "source.jor", as one string; null at line ends.
function scopesPerChar(text) {
  const result = [];
  let stack = vsctm.INITIAL;
  for (const line of text.split('\n')) {
    const { tokens, ruleStack } = grammar.tokenizeLine(line, stack);
    stack = ruleStack;
    for (const t of tokens)  // the last token may take in the line end the tokenizer adds
      for (let i = t.startIndex; i < Math.min(t.endIndex, line.length); i++) result.push(t.scopes.slice(1).join(' '));
    result.push(null);
  }
  return result;
}

const kindOfScopes = (s) => (s.includes('markup.output') ? 'output' : s === '' ? 'plain'
  : s.startsWith('meta.sexpr.') ? s.split(/[. ]/)[2] : s.startsWith('constant.') ? s.split('.')[1] : s.split('.')[0]);

// The same kinds as the interpreter reads them: lines that begin with "->"
// are taken out first, then the lexer and the S-expression reader cut the rest.
function kindsAsRead(text) {
  const kinds = Array.from(text, () => 'plain');
  const stream = [];  // offsets in `text` of what the reader is handed
  let offset = 0;
  for (const line of text.split('\n')) {
    for (let at = offset; at < Math.min(offset + line.length + 1, text.length); at++)
      line.startsWith('->') ? (kinds[at] = 'output') : stream.push(at);
    offset += line.length + 1;
  }
  const ch = (i) => (i < stream.length ? text[stream[i]] : '');  // '' is the end
  const is = (re, i) => ch(i) !== '' && re.test(ch(i));
  const skip = (i) => { while (i < stream.length && ch(i) <= ' ') i++; return i; };
  const datumEnd = (i) => {
    i = skip(i);
    if (ch(i) === "'") return datumEnd(i + 1);
    if (ch(i) === ',') return i + 1;
    if (ch(i) !== '(') { while (!is(/[\0- ;(),]/, i) && ch(i) !== '') i++; return i; }
    for (i = skip(i + 1); ch(i) !== ')'; i = skip(datumEnd(i))) if (ch(i) === ';' || ch(i) === '') return i;
    return i + 1;
  };
  for (let i = skip(0), end, kind; i < stream.length; i = skip(end)) {
    const two = ch(i) + ch(i + 1);
    end = i + 1;
    kind = /[|:><=+\-*/%\\^]/.test(ch(i)) ? 'keyword' : /[;(),{}]/.test(ch(i)) ? 'punctuation' : 'invalid';
    if (two === '/*') {
      for (end = i + 2; end < stream.length && ch(end) + ch(end + 1) !== '*/'; end++);
      [end, kind] = [Math.min(end + 2, stream.length), 'comment'];
    } else if (two === '//') {
      for (end = i + 2; end < stream.length && ch(end) !== '\n'; end++);
      kind = 'comment';
    } else if (is(/[A-Za-zА-яЁё_.]/, i)) {
      for (end = i; is(/[A-Za-zА-яЁё0-9_.?]/, end); end++) if (ch(end) === '?') { end++; break; }
      const word = stream.slice(i, end).map((at) => text[at]).join('').toUpperCase();
      kind = keywords.includes(word) ? 'keyword' : 'plain';
    } else if (is(/[0-9]/, i)) {
      for (end = i; is(/[0-9.eE]/, end); end++) if (is(/[eE]/, end) && is(/[+-]/, end + 1)) end++;
      kind = 'numeric';
    } else if (ch(i) === '#' && is(/[TtFf]/, i + 1)) {
      [end, kind] = [i + 2, 'language'];
    } else if (ch(i) === "'" || ch(i) === '`') {
      [end, kind] = [datumEnd(i + (ch(i) === '`')), ch(i) === '`' ? 'backquoted' : 'quoted'];
    } else if (['<=', '>=', '/=', '<>', '/\\'].includes(two)) {
      [end, kind] = [i + 2, 'keyword'];
    }
    for (let j = i; j < end; j++) kinds[stream[j]] = kind;
  }
  return kinds;
}

// Where the grammar and that reading differ, as "line:column" (blanks between tokens aside).
function differences(text) {
  const [scopes, expected] = [scopesPerChar(text), kindsAsRead(text)];
  const found = [];
  for (let at = 0; at < text.length; at++) {
    const got = scopes[at] === null ? expected[at] : kindOfScopes(scopes[at]);
    if (got !== expected[at] && !(expected[at] === 'plain' && text[at] <= ' ')) {
      const line = text.slice(0, at).split('\n');
      found.push(`${line.length}:${line.at(-1).length + 1} ${text[at]} is ${got}, read as ${expected[at]}`);
    }
  }
  return found.slice(0, 5);
}

test('every example and transcript is scoped as the interpreter reads it', () => {
  const transcripts = fs.readdirSync(path.join(root, 'tests/transcripts')).flatMap((dir) =>
    fs.readdirSync(path.join(root, 'tests/transcripts', dir))
      .filter((f) => f.endsWith('.jor')).map((f) => `tests/transcripts/${dir}/${f}`));
  // Notebooks are JSON around their cells, which the kernel's test runs.
  const examples = fs.readdirSync(path.join(root, 'examples')).filter((f) => !f.endsWith('.ipynb'))
    .map((f) => `examples/${f}`);
  const seen = new Set();
  for (const file of [...examples, ...transcripts]) {
    assert.deepEqual(differences(read(file)), [], file);
    if (file.startsWith('examples/')) scopesPerChar(read(file)).forEach((s) => s !== null && seen.add(kindOfScopes(s)));
  }
  const kinds = ['backquoted', 'comment', 'keyword', 'language', 'numeric', 'output', 'plain', 'punctuation', 'quoted'];
  assert.deepEqual([...seen].sort(), kinds);  // everything there is, and nothing illegal
});

test('every word keyword in any letter case, and no name that merely holds one', () => {
  assert.equal(keywords.length, 29);
  for (const word of keywords.flatMap((w) => [w, w.toLowerCase(), w[0] + w.slice(1).toLowerCase()])) {
    assert.match(scopesPerChar(word)[0], /^keyword\./, word);
    for (const name of [word + 'X', 'X' + word, word + '1', word + '?', '_' + word, word + '.'])
      assert.deepEqual(new Set(scopesPerChar(name).slice(0, -1)), new Set(['']), name);
  }
});

// Pieces of each source, in order, with the exact scopes of their every non-blank character.
const [Q, B, NUM] = ['meta.sexpr.quoted.jor', 'meta.sexpr.backquoted.jor', 'constant.numeric.jor'];
const [IF, SYM, LIST] = ['keyword.control.conditional.jor', 'constant.other.symbol.jor', 'punctuation.section.list'];
const [LAMBDA, BIND, ARITH] = ['keyword.other.lambda.jor', 'keyword.other.binding.jor', 'keyword.operator.arithmetic.jor'];
const [COMPARE, END, ILLEGAL] = ['keyword.operator.comparison.jor', 'punctuation.terminator.statement.jor',
  'invalid.illegal.character.jor'];
const cases = [
  ['2else .5 2if a?if #TRUE 1.5.2 1e+10 1.x', [['2e', NUM], ['lse', ''], ['.5', ''], ['2', NUM], ['if', IF],
    ['a?', ''], ['if', IF], ['#T', 'constant.language.boolean.jor'], ['RUE', ''], ['1.5.2', NUM], ['1e+10', NUM],
    ['1.', NUM], ['x', '']]],
  ['Л(x) /\\(y) lambda 7 div 2 Mod 3 <> 4 =< 5', [['Л', LAMBDA], ['(', 'punctuation.section.parens.begin.jor'],
    ['/\\', LAMBDA], ['lambda', ''], ['div', ARITH], ['Mod', ARITH], ['<>', COMPARE], ['=', COMPARE], ['<', COMPARE]]],
  ['{ ПУСТЬ а = 1 В а } | f : x; ? ї', [['{', 'punctuation.section.block.begin.jor'], ['ПУСТЬ', BIND],
    ['а', ''], ['В', BIND], ['|', 'keyword.operator.pipe.jor'], [':', 'keyword.operator.cons.jor'],
    [';', END], ['?', ILLEGAL], ['ї', ILLEGAL]]],
  ["'(a -5 a5 #t . b) `(f '(if x)) 'a'b '(a // b) // c", [["'", `${Q} punctuation.definition.quote.jor`],
    ['(', `${Q} ${LIST}.begin.jor`], ['a', `${Q} ${SYM}`], ['-5', `${Q} ${NUM}`], ['a5', `${Q} ${SYM}`],
    ['#t', `${Q} constant.language.boolean.jor`], ['.', `${Q} punctuation.separator.dot.jor`],
    [')', `${Q} ${LIST}.end.jor`], ['`', `${B} punctuation.definition.backquote.jor`], ['f', `${B} ${SYM}`],
    ['if', `${B} ${Q} ${SYM}`], ["a'b", `${Q} ${SYM}`], ['//', `${Q} ${SYM}`], ['c', 'comment.line.double-slash.jor']]],
  ["x = '\n  (a\n-> (A)\n b); '(a ; b", [['(', `${Q} ${LIST}.begin.jor`], ['(A)', `${Q} markup.output.jor`],
    ['b', `${Q} ${SYM}`], [';', END], ['a', `${Q} ${SYM}`], [';', END], ['b', '']]],
  ['/* if\n-> 1\n*/ /*/ if */ x -> y', [['if', 'comment.block.jor'], ['1', 'comment.block.jor markup.output.jor'],
    ['/ if', 'comment.block.jor'], ['x', ''], ['-', ARITH], ['>', COMPARE]]],
];

test('hand-picked cases get exactly their scopes', () => {
  for (const [source, expected] of cases) {
    const scopes = scopesPerChar(source);
    let at = 0;
    for (const [piece, scope] of expected) {
      at = source.indexOf(piece, at);
      assert.ok(at >= 0, `${piece} in ${source}`);
      for (let i = at; i < at + piece.length; i++)
        if (source[i] > ' ') assert.equal(scopes[i], scope, `${piece} in ${source}`);
      at += piece.length;
    }
    assert.deepEqual(differences(source), [], source);
  }
});
