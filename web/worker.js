// One interpreter session of the playground, run off the page's thread so
// that a long computation never freezes it. Owns the module and its files.
//
// The page starts a fresh worker for every Run and Reset and sends one
// message: the command line, the source to write as FILE, and a shared
// buffer. When the interpreter wants a keyboard line, the worker blocks on
// the buffer until the page puts the line there. Output goes to the page as
// events {kind, text, firstLine, lastLine}: kind is "text", "banner",
// "prompt", "echo", "result" or "report", and the results and reports of
// the program's statements carry the lines of their statement.
'use strict';

// The shared buffer: a few 32-bit words, then the bytes of one keyboard line
// or of a name to complete.
const LINE_STATE = 0;   // EMPTY, LINE_READY, END_OF_INPUT or COMPLETE
const STOP = 1;         // 1 once Stop was pressed and not yet taken
const LINE_LENGTH = 2;
const REQUEST = 3;      // the number of a request to complete a name
const LINE_BYTES = 16;  // byte offset of the line
const EMPTY = 0, LINE_READY = 1, COMPLETE = 3;

const EXAMPLES = '/examples';
// The order of the interpreter's kinds of output.
const KINDS = ['text', 'banner', 'prompt', 'echo', 'result', 'report'];
// Long output reaches the page at statement ends, but not more often than this.
const POST_INTERVAL_MS = 40;

let words;         // Int32Array over the shared buffer
let lineBytes;     // Uint8Array over the shared buffer
let line = new Uint8Array(0);
// Events not yet posted; those from `statementStart` on belong to the
// statement being read.
let pending = [];
let statementStart = 0;
let lastPost = 0;
// A character cut between two pieces of output is completed by the next.
const decoder = new TextDecoder();

function postEvents() {
  if (pending.length > 0) postMessage({ events: pending });
  pending = [];
  statementStart = 0;
  lastPost = performance.now();
}

function takeOutput(kind, bytes) {
  const text = decoder.decode(bytes, { stream: true });
  if (text === '') return;
  const last = pending[pending.length - 1];
  if (last && last.kind === KINDS[kind] && pending.length - 1 >= statementStart) last.text += text;
  else pending.push({ kind: KINDS[kind], text });
}

function statementDone(firstLine, lastLine, errorCode, inProgram) {
  for (let i = statementStart; i < pending.length && inProgram; i++) {
    if (pending[i].kind === 'result' || pending[i].kind === 'report') Object.assign(pending[i], { firstLine, lastLine });
  }
  statementStart = pending.length;
  if (performance.now() - lastPost > POST_INTERVAL_MS) postEvents();
}

// A Stop that arrives while the keyboard is awaited means nothing, as a
// Ctrl-C at the prompt only drops the line being typed.
// Names are completed here, between statements, where the interpreter's
// global frame holds every name defined so far.
function answerCompletion() {
  const typed = new TextDecoder().decode(lineBytes.slice(0, Atomics.load(words, LINE_LENGTH)));
  const id = Atomics.load(words, REQUEST);
  Atomics.store(words, LINE_STATE, EMPTY);
  const names = Module.ccall('jor_completions', 'string', ['string'], [typed]).split('\n').filter(Boolean);
  postMessage({ completions: { id, names } });
}

function waitForPiece() {
  Atomics.store(words, STOP, 0);
  let state;
  for (;;) {
    Atomics.wait(words, LINE_STATE, EMPTY);
    state = Atomics.load(words, LINE_STATE);
    if (state !== COMPLETE) break;
    answerCompletion();
  }
  if (state !== LINE_READY) return null;
  const piece = lineBytes.slice(0, Atomics.load(words, LINE_LENGTH));
  Atomics.store(words, LINE_STATE, EMPTY);
  return piece;
}

// A line longer than the shared buffer comes in pieces; the last one ends
// with the line end. Returns the line's length, or -1 at the end of input.
function waitForLine() {
  postEvents();
  postMessage({ waiting: true });
  const pieces = [];
  let length = 0;
  for (;;) {
    const piece = waitForPiece();
    if (piece === null) break;
    pieces.push(piece);
    length += piece.length;
    if (piece.length === 0 || piece[piece.length - 1] === 10) break;
  }
  postMessage({ waiting: false });
  if (pieces.length === 0) return -1;
  line = new Uint8Array(length);
  let at = 0;
  for (const piece of pieces) {
    line.set(piece, at);
    at += piece.length;
  }
  return length;
}

function copyLine(heap, to) {
  heap.set(line, to);
}

function exampleFiles() {
  return Module.FS.readdir(EXAMPLES)
    .filter((name) => name !== '.' && name !== '..')
    .sort()
    .map((name) => ({ name, text: Module.FS.readFile(`${EXAMPLES}/${name}`, { encoding: 'utf8' }) }));
}

// The whole session: main runs until the end of input or QUIT. A file name
// the file system refuses, or an engine error (which the stack guard exists
// to prevent), ends the session too.
function runSession(request) {
  const FS = Module.FS;
  FS.chdir(EXAMPLES);
  postMessage({ examples: exampleFiles() });
  let status;
  try {
    if (request.source) FS.writeFile(request.source.name, request.source.text);
    status = Module.callMain(request.args);
  } catch (e) {
    postEvents();
    postMessage({ crashed: String(e) });
    return;
  }
  postEvents();
  postMessage({ ended: status });
}

self.onmessage = (event) => {
  const request = event.data;
  words = new Int32Array(request.channel);
  lineBytes = new Uint8Array(request.channel, LINE_BYTES);
  self.Module = {
    noInitialRun: true,
    print: (text) => takeOutput(0, new TextEncoder().encode(`${text}\n`)),
    printErr: (text) => takeOutput(0, new TextEncoder().encode(`${text}\n`)),
    takeStopRequest: () => Atomics.exchange(words, STOP, 0),
    takeOutput,
    statementDone,
    waitForLine,
    copyLine,
    onRuntimeInitialized: () => runSession(request),
  };
  importScripts('jor.js');
};
