// One interpreter session of the playground, run off the page's thread so
// that a long computation never freezes it. Owns the module and its files.
//
// The page starts a fresh worker for every Run and Reset and sends one
// message: the command line, the source to write as FILE, and a shared
// buffer. The interpreter reads the keyboard as a console program reads a
// pipe; a read that finds no bytes blocks on the buffer until the page puts
// the next typed line there. Output goes to the page as a list of events
// {kind, text, firstLine, lastLine}; the interpreter does not tell its
// reports, results and echoes apart yet, so every event is of kind "text".
'use strict';

// The shared buffer: a few 32-bit words, then the bytes of one keyboard line.
const LINE_STATE = 0;   // EMPTY, LINE_READY or END_OF_INPUT
const STOP = 1;         // 1 once Stop was pressed and not yet taken
const LINE_LENGTH = 2;
const LINE_BYTES = 16;  // byte offset of the line
const EMPTY = 0, LINE_READY = 1, END_OF_INPUT = 2;

const EXAMPLES = '/examples';
// Long output reaches the page at line ends, but not more often than this.
const POST_INTERVAL_MS = 40;

let words;         // Int32Array over the shared buffer
let lineBytes;     // Uint8Array over the shared buffer
let line = new Uint8Array(0);
let linePos = 0;
let readEnded = true;  // the last byte of a line was handed out; the next
                       // call ends the read, the one after waits
let output = new Uint8Array(1 << 12);
let outputLength = 0;
let lastPost = 0;
// A character cut between two posts is completed by the next one.
const decoder = new TextDecoder();

function postOutput() {
  if (outputLength > 0) {
    const text = decoder.decode(output.subarray(0, outputLength), { stream: true });
    outputLength = 0;
    if (text) postMessage({ events: [{ kind: 'text', text }] });
  }
  lastPost = performance.now();
}

function writeByte(byte) {
  if (outputLength === output.length) {
    const bigger = new Uint8Array(output.length * 2);
    bigger.set(output);
    output = bigger;
  }
  output[outputLength++] = byte;
  if (byte === 10 && performance.now() - lastPost > POST_INTERVAL_MS) postOutput();
}

// A Stop that arrives while the keyboard is awaited means nothing, as a
// Ctrl-C at the prompt only drops the line being typed.
function waitForLine() {
  postOutput();
  Atomics.store(words, STOP, 0);
  postMessage({ waiting: true });
  Atomics.wait(words, LINE_STATE, EMPTY);
  const state = Atomics.load(words, LINE_STATE);
  if (state === LINE_READY) {
    line = lineBytes.slice(0, Atomics.load(words, LINE_LENGTH));
    linePos = 0;
    Atomics.store(words, LINE_STATE, EMPTY);
  }
  postMessage({ waiting: false });
  return state === LINE_READY;
}

// Emscripten's standard input calls this for each byte; null ends the read
// (or, with nothing read yet, reports the end of input). So a read returns
// exactly one keyboard line, as from a terminal.
function readByte() {
  if (linePos < line.length) return line[linePos++];
  if (!readEnded) {
    readEnded = true;
    return null;
  }
  if (!waitForLine() || line.length === 0) return null;
  readEnded = false;
  return line[linePos++];
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
    postOutput();
    postMessage({ crashed: String(e) });
    return;
  }
  postOutput();
  postMessage({ ended: status });
}

self.onmessage = (event) => {
  const request = event.data;
  words = new Int32Array(request.channel);
  lineBytes = new Uint8Array(request.channel, LINE_BYTES);
  self.Module = {
    noInitialRun: true,
    stdin: readByte,
    stdout: writeByte,
    stderr: writeByte,
    takeStopRequest: () => Atomics.exchange(words, STOP, 0),
    onRuntimeInitialized: () => runSession(request),
  };
  importScripts('jor.js');
};
