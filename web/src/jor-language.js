// JOR as CodeMirror sees it: a stream tokenizer that follows the lexer's
// rules, and the classes its tokens get. Owns the keyword spellings.
//
// Besides code, the tokenizer knows the "-> " lines that a transcript holds:
// the reader skips them wherever they stand, even inside a comment or an
// open S-expression, so they are output here too and leave the state alone.
import { StreamLanguage } from '@codemirror/language';
import { Tag, tagHighlighter, tags } from '@lezer/highlight';

// The words the lexer takes as keywords, in both spellings and in the order
// of its table; any letter case matches, Cyrillic included.
export const KEYWORDS = [
  'OR', 'ИЛИ', 'AND', 'И', 'NOT', 'НЕ', 'Л', 'DELAY', 'ЗАДЕРЖАТЬ', 'FORCE', 'ВОЗОБНОВИТЬ',
  'LET', 'ПУСТЬ', 'LETREC', 'ПУСТЬРЕК', 'WHERE', 'ГДЕ', 'WHEREREC', 'ГДЕРЕК', 'IF', 'ЕСЛИ',
  'THEN', 'ТО', 'В', 'IN', 'ELSE', 'ИНАЧЕ', 'DIV', 'MOD',
];
const keywordSet = new Set(KEYWORDS);

// Letters as the reader has them: Latin, and the Cyrillic of code page 1251.
export const LETTER = 'A-Za-zА-яЁё';
const NAME = new RegExp(`^[${LETTER}_.][${LETTER}0-9_.]*\\??`);
const NAME_START = new RegExp(`[${LETTER}_.]`);
const ATOM_CHAR = /[^\s;(),]/;
// What follows the name that opens a definition on its line: "=" or a
// parameter list and "=". A call that starts a statement has no "=" there.
const DEFINITION_REST = /^\s*(?:\([^()]*\)\s*)?=/;

// A result line of a transcript, and the code an S-expression after a
// backquote stands for.
export const outputTag = Tag.define();
export const codeTag = Tag.define();

// Upper-cases as the reader does; JavaScript's rule agrees on every letter
// the reader knows.
export function upperName(text) {
  return text.toUpperCase();
}

export function isKeyword(word) {
  return keywordSet.has(upperName(word));
}

// state.datum: null, or the S-expression being read ({ depth, style }),
// which may go on over several lines. state.atStart: the next token starts
// a statement, where a name before "(" or "=" opens a definition.
function startState() {
  return { comment: false, datum: null, atStart: true };
}

function copyState(state) {
  return { ...state, datum: state.datum && { ...state.datum } };
}

// Reads on through a quoted datum: an atom ends it at once, a list when its
// parentheses balance; ";" ends it as the reader's error would.
function continueDatum(stream, state) {
  const datum = state.datum;
  while (!stream.eol()) {
    const ch = stream.peek();
    if (ch === ';') {
      state.datum = null;
      break;
    }
    if (/\s/.test(ch)) {
      if (datum.depth === 0 && datum.started) {
        state.datum = null;
        break;
      }
      stream.next();
    } else if (ch === '(') {
      stream.next();
      datum.depth++;
      datum.started = true;
    } else if (ch === ')') {
      stream.next();
      datum.depth--;
      if (datum.depth <= 0) {
        state.datum = null;
        break;
      }
    } else if (ch === "'" && !datum.started) {
      stream.next();
    } else if (ch === ',' || ATOM_CHAR.test(ch)) {
      if (ch === ',') stream.next();
      else stream.eatWhile(ATOM_CHAR);
      datum.started = true;
      if (datum.depth === 0) {
        state.datum = null;
        break;
      }
    } else {
      stream.next();
    }
  }
  return datum.style;
}

function continueComment(stream, state) {
  if (stream.skipTo('*/')) {
    stream.pos += 2;
    state.comment = false;
  } else {
    stream.skipToEnd();
  }
  return 'comment';
}

function token(stream, state) {
  if (stream.sol() && stream.match('->')) {
    stream.skipToEnd();
    return 'output';
  }
  if (state.comment) return continueComment(stream, state);
  if (state.datum) return continueDatum(stream, state);
  if (stream.eatSpace()) return null;
  const atStart = state.atStart;
  state.atStart = false;
  if (stream.match('//')) {
    stream.skipToEnd();
    state.atStart = atStart;
    return 'comment';
  }
  if (stream.match('/*')) {
    state.comment = true;
    state.atStart = atStart;
    return continueComment(stream, state);
  }
  const ch = stream.peek();
  if (ch === "'" || ch === '`') {
    stream.next();
    state.datum = { depth: 0, started: false, style: ch === '`' ? 'code' : 'string' };
    return continueDatum(stream, state);
  }
  if (/[0-9]/.test(ch)) {
    stream.match(/^(?:[0-9.]|[eE][+-]?)*/);
    return 'number';
  }
  if (ch === '#' && stream.match(/^#[tTfF]/)) return 'bool';
  if (NAME_START.test(ch)) {
    const word = stream.match(NAME)[0];
    if (isKeyword(word)) return 'keyword';
    if (atStart && stream.match(DEFINITION_REST, false)) return 'definition';
    return 'variableName';
  }
  if (stream.match('/\\')) return 'keyword';
  if (stream.match(/^(?:<=|>=|\/=|<>)/)) return 'operator';
  stream.next();
  if (ch === ';') {
    state.atStart = true;
    return 'punctuation';
  }
  if ('(){}'.includes(ch)) return 'bracket';
  if (ch === ',') return 'punctuation';
  return 'operator';
}

export const jorLanguage = StreamLanguage.define({
  name: 'jor',
  startState,
  copyState,
  token,
  tokenTable: {
    output: outputTag,
    code: codeTag,
    definition: tags.definition(tags.variableName),
  },
  languageData: {
    commentTokens: { line: '//', block: { open: '/*', close: '*/' } },
  },
});

// Plain class names, so the page's style sheet colours them for the light
// and the dark scheme alike.
export const jorHighlighter = tagHighlighter([
  { tag: tags.keyword, class: 'jor-keyword' },
  { tag: tags.comment, class: 'jor-comment' },
  { tag: tags.number, class: 'jor-number' },
  { tag: tags.bool, class: 'jor-number' },
  { tag: tags.string, class: 'jor-quoted' },
  { tag: codeTag, class: 'jor-code' },
  { tag: outputTag, class: 'jor-output' },
  { tag: tags.definition(tags.variableName), class: 'jor-definition' },
  { tag: tags.operator, class: 'jor-operator' },
]);
