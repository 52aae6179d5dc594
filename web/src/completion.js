// Tab in the keyboard line: the console's completion of keywords and names.
// The interpreter lists the names between statements; while it computes, the
// keywords, the built-ins and the names the page saw defined stand in. Owns
// no state; the page keeps the set of names it saw defined.
import { KEYWORDS, LETTER, upperName } from './jor-language.js';

// The built-in names that are names to the lexer, in the table's order (less
// its first row, a placeholder), and CAR and CDR for the car/cdr family.
export const BUILTIN_NAMES = [
  'QUOTE', 'ATOM', 'NUMBER', 'NUMBER?', 'PAIR?', 'REAL?', 'INTEGER?', 'SYMBOL?',
  'PROCEDURE?', 'BOOLEAN?', 'CONS', 'IF', 'EQ', 'EQ?', 'NULL', 'NULL?', 'SQRT', 'MAX', 'MIN',
  'SIN', 'COS', 'EXP', 'LOG', 'ABS', 'TAN', 'ATAN', 'ACOS', 'ASIN', 'FLOOR', 'CEILING', 'EXPT',
  'QUOTIENT', 'REMAINDER', 'DEFINE', 'LET', 'LETREC', 'AND', 'OR', 'NOT', 'FORCE', 'DELAY',
  'LAMBDA', 'APPLY', 'LAZY', 'CURRY', 'LOAD', 'QUIT', 'CAR', 'CDR',
];

const NAME_CHAR = new RegExp(`[${LETTER}0-9_.]`);
const LOWER = /[a-zа-яё]/;
const LETTER_CHAR = new RegExp(`[${LETTER}]`);
const DEFINITION = new RegExp(`^([${LETTER}_.][${LETTER}0-9_.]*\\??)\\s*[(=]`);

// Code-unit order is the order of code page 1251 for every character a name
// can hold, so this sorts as the console does.
function byteOrder(a, b) {
  return a < b ? -1 : a > b ? 1 : 0;
}

export function candidates(prefix, definedNames) {
  if (prefix === '') return [];
  const all = new Set([...KEYWORDS, ...BUILTIN_NAMES, ...definedNames]);
  return [...all].filter((name) => name.startsWith(prefix)).sort(byteOrder);
}

export function sharedBeginning(names) {
  if (names.length === 0) return '';
  let shared = names[0];
  for (const name of names) {
    let n = 0;
    while (n < shared.length && n < name.length && shared[n] === name[n]) n++;
    shared = shared.slice(0, n);
  }
  return shared;
}

// The name being typed: the name characters before `cursor`; '' where none
// can begin there.
export function typedName(line, cursor) {
  let start = cursor;
  while (start > 0 && NAME_CHAR.test(line[start - 1])) start--;
  const typed = line.slice(start, cursor);
  return /^[0-9]/.test(typed) ? '' : typed;
}

// The completion of the name that ends at `cursor` in `line`, given the
// names that begin as it does (upper case, in byte order): the text to
// insert there, and the choices to show when they agree no further. The
// inserted part takes the letter case of the last letter typed.
export function complete(line, cursor, names) {
  const typed = typedName(line, cursor);
  if (typed === '') return { insert: '', choices: [] };
  const prefix = upperName(typed);
  const lastLetter = [...typed].reverse().find((c) => LETTER_CHAR.test(c));
  const lowerCase = lastLetter !== undefined && LOWER.test(lastLetter);
  const shown = (text) => (lowerCase ? text.toLowerCase() : text);
  const shared = sharedBeginning(names);
  if (shared.length > prefix.length) return { insert: shown(shared.slice(prefix.length)), choices: [] };
  return { insert: '', choices: names.length > 1 ? names.map(shown) : [] };
}

// Drops comments, quoted data and result lines well enough to find where
// statements begin.
function codeOnly(text) {
  return text
    .replace(/^->.*$/gm, '')
    .replace(/\/\*[\s\S]*?(\*\/|$)/g, ' ')
    .replace(/\/\/.*$/gm, '')
    .replace(/['`]\s*\([^;]*?\)/g, ' ')
    .replace(/['`][^\s;(),]*/g, ' ');
}

// The names a text defines: a name that begins a statement and is followed
// by "(" or "=". A comparison looks the same, but its name is one too.
export function definedNames(text) {
  const names = [];
  for (const statement of codeOnly(text).split(';')) {
    const match = DEFINITION.exec(statement.trimStart());
    if (match) names.push(upperName(match[1]));
  }
  return names;
}
