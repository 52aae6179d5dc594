// The playground page: the editor, the console transcript, the keyboard line
// and the toolbar, with one interpreter session at a time in worker.js.
// Owns the session, the saved program and the marks on the editor's lines.
import { Compartment, EditorState, StateEffect, StateField } from '@codemirror/state';
import {
  Decoration, EditorView, drawSelection, highlightActiveLine, highlightActiveLineGutter,
  highlightSpecialChars, keymap, lineNumbers,
} from '@codemirror/view';
import { defaultKeymap, history as undoHistory, historyKeymap } from '@codemirror/commands';
import { bracketMatching, indentOnInput, syntaxHighlighting } from '@codemirror/language';
import { jorHighlighter, jorLanguage, upperName } from './jor-language.js';
import { candidates, complete, definedNames, typedName } from './completion.js';
import { programFragment, programFromFragment } from './share.js';

// The layout of the buffer shared with the worker; worker.js explains it.
const LINE_STATE = 0, STOP = 1, LINE_LENGTH = 2, REQUEST = 3, LINE_BYTES = 16;
const LINE_READY = 1, COMPLETE = 3;
const LINE_CAPACITY = 1 << 20;

// -m N asks for N thousand cells, a count that must fit a signed 32-bit int.
const HEAP_MAX = 2147483;
const STORAGE_KEY = 'jor-playground';
const ISOLATION_RELOAD_KEY = 'jor-isolation-reload';
const SAVE_DELAY_MS = 300;

const $ = (id) => document.getElementById(id);
const encoder = new TextEncoder();
const onMac = /Mac|iPhone|iPad/.test(navigator.platform);

// The session: its worker, the shared buffer, typed lines that wait for the
// interpreter to ask for the keyboard, and the request to complete a name
// that the worker has not answered yet (the buffer is its until then).
const session = { worker: null, words: null, lineBytes: null, waiting: false, over: false, typed: [],
                  completing: null, requests: 0 };
const lineHistory = { lines: [], pos: 0 };
// The examples as the worker lists them, the one the editor's text came
// from ('' for the user's own), and the names seen defined, for Tab.
const page = { examples: [], example: '', defined: new Set(), saveTimer: 0 };

// ---- The editor and the marks of statements that ended in an error ----

const markLines = StateEffect.define();
const clearMarks = StateEffect.define();
const errorLine = Decoration.line({ class: 'jor-error-line' });

const errorMarks = StateField.define({
  create: () => Decoration.none,
  update(marks, transaction) {
    marks = marks.map(transaction.changes);
    for (const effect of transaction.effects) {
      if (effect.is(clearMarks)) marks = Decoration.none;
      if (effect.is(markLines)) {
        const { doc } = transaction.state;
        const first = Math.max(1, Math.min(effect.value.first, doc.lines));
        const last = Math.max(first, Math.min(effect.value.last, doc.lines));
        const added = [];
        for (let n = first; n <= last; n++) added.push(errorLine.range(doc.line(n).from));
        marks = marks.update({ add: added, sort: true });
      }
    }
    return marks;
  },
  provide: (field) => EditorView.decorations.from(field),
});

const theme = EditorView.theme({
  '&': { color: 'var(--code-fg)', backgroundColor: 'var(--code-bg)', height: '100%' },
  '.cm-scroller': { fontFamily: 'var(--mono)', lineHeight: '1.45' },
  '.cm-content': { caretColor: 'var(--caret)' },
  '.cm-cursor, .cm-dropCursor': { borderLeftColor: 'var(--caret)' },
  '.cm-gutters': { backgroundColor: 'var(--gutter-bg)', color: 'var(--gutter-fg)', border: 'none' },
  '.cm-activeLine': { backgroundColor: 'var(--active-line)' },
  '.cm-activeLineGutter': { backgroundColor: 'var(--active-line)' },
  '&.cm-focused .cm-selectionBackground, .cm-selectionBackground, ::selection': {
    backgroundColor: 'var(--selection)',
  },
  '&.cm-focused .cm-matchingBracket': { backgroundColor: 'var(--bracket)', outline: 'none' },
  '&.cm-focused': { outline: 'none' },
});

const wrapping = new Compartment();
const narrow = matchMedia('(max-width: 700px)');

const editor = new EditorView({
  parent: $('editor'),
  state: EditorState.create({
    doc: '',
    extensions: [
      lineNumbers(),
      highlightActiveLineGutter(),
      highlightSpecialChars(),
      undoHistory(),
      drawSelection(),
      indentOnInput(),
      bracketMatching(),
      highlightActiveLine(),
      jorLanguage,
      syntaxHighlighting(jorHighlighter),
      errorMarks,
      theme,
      wrapping.of(narrow.matches ? EditorView.lineWrapping : []),
      keymap.of([
        { key: 'Mod-Enter', run: () => { runProgram(); return true; } },
        { key: 'Escape', run: () => requestStop() },
        ...defaultKeymap,
        ...historyKeymap,
      ]),
      EditorView.contentAttributes.of({ 'aria-label': 'Текст программы' }),
      EditorView.updateListener.of((update) => {
        if (!update.docChanged) return;
        if (location.hash) history.replaceState(null, '', location.pathname + location.search);
        showExampleState();
        saveSoon();
      }),
    ],
  }),
});
narrow.addEventListener('change', () => {
  editor.dispatch({ effects: wrapping.reconfigure(narrow.matches ? EditorView.lineWrapping : []) });
});

function editorText() {
  return editor.state.doc.toString();
}

function setEditorText(text) {
  editor.dispatch({ changes: { from: 0, to: editor.state.doc.length, insert: text }, effects: clearMarks.of(null) });
}

// ---- The transcript ----

function show(text, className) {
  const transcript = $('transcript');
  const atBottom = transcript.scrollTop + transcript.clientHeight >= transcript.scrollHeight - 4;
  if (className) {
    const span = document.createElement('span');
    span.className = className;
    span.textContent = text;
    transcript.append(span);
  } else {
    transcript.append(text);
  }
  if (atBottom) transcript.scrollTop = transcript.scrollHeight;
}

// A report of a statement of the program marks that statement's lines;
// statements typed at the keyboard or LOADed have none in the editor.
function showEvent({ kind, text, firstLine, lastLine }) {
  show(text, kind === 'text' ? '' : `out-${kind}`);
  if (kind === 'report' && Number.isInteger(firstLine)) {
    const { doc } = editor.state;
    const shown = doc.line(Math.max(1, Math.min(firstLine, doc.lines))).from;
    editor.dispatch({ effects: [
      markLines.of({ first: firstLine, last: Number.isInteger(lastLine) ? lastLine : firstLine }),
      EditorView.scrollIntoView(shown, { y: 'nearest' }),
    ] });
  }
}

function setStatus(text) {
  $('status').textContent = text;
}

function updateButtons() {
  $('stop').disabled = !session.worker || session.waiting || session.over;
}

// ---- The heap field ----

function heapProblem() {
  const value = $('heap').value.trim();
  const n = /^[0-9]{1,7}$/.test(value) ? Number(value) : 0;
  if (n >= 1 && n <= HEAP_MAX) return '';
  return `Размер кучи — целое число тысяч ячеек от 1 до ${HEAP_MAX}.`;
}

function checkHeap() {
  const problem = heapProblem();
  $('heap').setAttribute('aria-invalid', problem ? 'true' : 'false');
  $('heap-message').textContent = problem;
  return problem === '';
}

// ---- The session ----

// Starts a fresh interpreter: with a source it is run as FILE, without one
// the session begins at the keyboard, as the console program does.
function start(source) {
  if (!checkHeap()) {
    setStatus('Не запущено: размер кучи указан неверно.');
    $('heap').focus();
    return false;
  }
  if (session.worker) session.worker.terminate();
  const channel = new SharedArrayBuffer(LINE_BYTES + LINE_CAPACITY);
  Object.assign(session, {
    words: new Int32Array(channel), lineBytes: new Uint8Array(channel, LINE_BYTES),
    waiting: false, over: false, typed: [], completing: null,
  });
  $('line').setAttribute('aria-busy', 'false');
  $('choices').textContent = '';
  page.defined = new Set(source ? definedNames(source.text) : []);
  $('transcript').textContent = '';
  editor.dispatch({ effects: clearMarks.of(null) });
  const args = ['-m', $('heap').value.trim()];
  if (source) args.push(source.name);
  session.worker = new Worker('worker.js');
  session.worker.onmessage = (event) => receive(event.data);
  session.worker.onerror = (event) => finish(`Интерпретатор не запустился: ${event.message}`);
  session.worker.postMessage({ channel, args, source });
  setStatus(source ? `Выполняется ${source.name}` : 'Клавиатура');
  updateButtons();
  return true;
}

function finish(message) {
  session.over = true;
  session.waiting = false;
  setStatus(message);
  updateButtons();
}

function receive(message) {
  if (message.events) message.events.forEach(showEvent);
  if (message.examples && page.examples.length === 0) listExamples(message.examples);
  if (message.completions) completionsArrived(message.completions);
  if ('waiting' in message) {
    session.waiting = message.waiting;
    if (session.waiting) {
      setStatus('Ждёт строку с клавиатуры');
      handOverTypedLine();
    } else {
      setStatus('Выполняется');
    }
    updateButtons();
  }
  if ('ended' in message) finish(`Сеанс окончен, код возврата ${message.ended}. «Сброс» начинает новый.`);
  if ('crashed' in message) finish(`Сеанс прерван: ${message.crashed}`);
}

// A line longer than the shared buffer goes over in pieces, one per read.
function type(text) {
  for (const name of definedNames(text)) page.defined.add(name);
  const bytes = encoder.encode(text + '\n');
  for (let at = 0; at < bytes.length; at += LINE_CAPACITY)
    session.typed.push({ bytes: bytes.subarray(at, at + LINE_CAPACITY), echo: at === 0 ? text + '\n' : '' });
  if (session.waiting) handOverTypedLine();
}

// The transcript shows a line where the interpreter takes it, as a terminal
// shows it after the prompt.
function handOverTypedLine() {
  if (session.over || !session.waiting || session.completing || session.typed.length === 0) return;
  const { bytes, echo } = session.typed.shift();
  if (echo) show(echo, 'typed');
  session.lineBytes.set(bytes);
  Atomics.store(session.words, LINE_LENGTH, bytes.length);
  Atomics.store(session.words, LINE_STATE, LINE_READY);
  Atomics.notify(session.words, LINE_STATE);
  session.waiting = false;
  setStatus('Выполняется');
  updateButtons();
}

function runProgram() {
  const name = $('filename').value.trim() || 'program.jor';
  if (start({ name, text: editorText() })) $('line').focus();
}

function requestStop() {
  if ($('stop').disabled) return false;
  Atomics.store(session.words, STOP, 1);
  return true;
}

// ---- Examples, saving and sharing ----

function listExamples(files) {
  page.examples = files;
  const menu = $('examples');
  for (const file of files) {
    const option = document.createElement('option');
    option.value = option.textContent = file.name;
    menu.append(option);
  }
  if (page.example === '' && editorText() === '') chooseExample('tour.jor');
  showExampleState();
}

function chooseExample(name) {
  const file = page.examples.find((f) => f.name === name);
  page.example = file ? name : '';
  if (!file) {
    showExampleState();
    return;
  }
  $('filename').value = name;
  setEditorText(file.text);
  save();
}

// The menu names the example the text came from, and says when it differs.
function showExampleState() {
  const menu = $('examples');
  const file = page.examples.find((f) => f.name === page.example);
  const changed = Boolean(file) && file.text !== editorText();
  for (const option of menu.options) {
    if (option.value) option.textContent = option.value === page.example && changed ? `${option.value} — изменён` : option.value;
  }
  menu.value = file ? page.example : '';
  menu.classList.toggle('changed', changed);
}

function save() {
  clearTimeout(page.saveTimer);
  page.saveTimer = 0;
  try {
    localStorage.setItem(STORAGE_KEY, JSON.stringify({
      text: editorText(), name: $('filename').value, example: page.example, heap: $('heap').value,
    }));
  } catch {
    // Storage may be full or forbidden; the page works without it.
  }
}

function saveSoon() {
  clearTimeout(page.saveTimer);
  page.saveTimer = setTimeout(save, SAVE_DELAY_MS);
}

function savedProgram() {
  try {
    const saved = JSON.parse(localStorage.getItem(STORAGE_KEY));
    return saved && typeof saved.text === 'string' ? saved : null;
  } catch {
    return null;
  }
}

async function share() {
  const fragment = await programFragment({ name: $('filename').value.trim() || 'program.jor', text: editorText() });
  history.replaceState(null, '', fragment);
  const link = location.href;
  try {
    await navigator.clipboard.writeText(link);
    setStatus('Ссылка на программу скопирована; она же — в адресной строке.');
  } catch {
    setStatus('Ссылка на программу — в адресной строке.');
  }
}

// A shared program wins over the saved one, and its link is dropped from
// the address once it is in the editor: a reload then keeps later edits.
async function loadFirstProgram() {
  const shared = await programFromFragment(location.hash);
  if (location.hash && !shared) setStatus('Ссылка повреждена: программы в ней нет.');
  const program = shared ? { ...shared, example: '' } : savedProgram();
  if (!program) return;
  $('filename').value = program.name || 'program.jor';
  if (program.heap) $('heap').value = program.heap;
  page.example = program.example || '';
  setEditorText(program.text);
  if (shared) {
    history.replaceState(null, '', location.pathname + location.search);
    save();
  }
  checkHeap();
}

// ---- Keyboard line and shortcuts ----

function showCompletion(line, cursor, names) {
  const { insert, choices } = complete(line.value, cursor, names);
  if (insert) line.setRangeText(insert, cursor, line.selectionEnd, 'end');
  $('choices').textContent = choices.join('  ');
}

// Between statements the interpreter itself lists the names; while it
// computes, the page's own lists stand in.
function completeInLine(line) {
  const cursor = line.selectionStart;
  const typed = typedName(line.value, cursor);
  if (typed === '') return;
  if (!session.waiting || session.over) {
    showCompletion(line, cursor, candidates(upperName(typed), page.defined));
    return;
  }
  if (session.completing) return;
  const bytes = encoder.encode(typed);
  session.completing = { id: ++session.requests, value: line.value, cursor };
  line.setAttribute('aria-busy', 'true');
  session.lineBytes.set(bytes);
  Atomics.store(session.words, LINE_LENGTH, bytes.length);
  Atomics.store(session.words, REQUEST, session.requests);
  Atomics.store(session.words, LINE_STATE, COMPLETE);
  Atomics.notify(session.words, LINE_STATE);
}

// An answer counts only for the line as it was asked about.
function completionsArrived({ id, names }) {
  const asked = session.completing;
  if (!asked || asked.id !== id) return;
  session.completing = null;
  const line = $('line');
  line.setAttribute('aria-busy', 'false');
  if (line.value === asked.value && line.selectionStart === asked.cursor) showCompletion(line, asked.cursor, names);
  handOverTypedLine();
}

$('line').addEventListener('keydown', (e) => {
  const line = $('line');
  if (e.key !== 'Tab') $('choices').textContent = '';
  if (e.key === 'Enter' && !e.ctrlKey && !e.metaKey) {
    if (session.over) return;
    lineHistory.lines.push(line.value);
    lineHistory.pos = lineHistory.lines.length;
    type(line.value);
    line.value = '';
  } else if (e.key === 'Tab' && !e.shiftKey && line.value.slice(0, line.selectionStart).trim() !== '') {
    e.preventDefault();
    completeInLine(line);
  } else if (e.key === 'ArrowUp' && lineHistory.pos > 0) {
    line.value = lineHistory.lines[--lineHistory.pos];
    e.preventDefault();
  } else if (e.key === 'ArrowDown' && lineHistory.pos < lineHistory.lines.length) {
    line.value = ++lineHistory.pos < lineHistory.lines.length ? lineHistory.lines[lineHistory.pos] : '';
    e.preventDefault();
  }
});

window.addEventListener('keydown', (e) => {
  if (e.defaultPrevented) return;
  if (e.key === 'Enter' && (e.ctrlKey || e.metaKey)) {
    e.preventDefault();
    runProgram();
  } else if (e.key === 'Escape' && requestStop()) {
    e.preventDefault();
  }
});

$('examples').addEventListener('change', (e) => chooseExample(e.target.value));
$('filename').addEventListener('input', saveSoon);
$('heap').addEventListener('input', () => {
  checkHeap();
  saveSoon();
});
$('run').addEventListener('click', runProgram);
$('reset').addEventListener('click', () => {
  if (start(null)) $('line').focus();
});
$('stop').addEventListener('click', requestStop);
$('share').addEventListener('click', share);
window.addEventListener('pagehide', () => {
  if (page.saveTimer) save();
});
$('run-keys').textContent = onMac ? '⌘↵' : 'Ctrl+Enter';
$('run').setAttribute('aria-keyshortcuts', onMac ? 'Meta+Enter' : 'Control+Enter');

// ---- Start-up ----

// The shared memory needs a page isolated from other origins. A host that
// cannot send the headers for that gets them from sw.js: once it controls
// the page, one reload brings them. The flag stops a reload loop where the
// browser will not isolate the page even so.
async function isolated() {
  if (self.crossOriginIsolated) {
    sessionStorage.removeItem(ISOLATION_RELOAD_KEY);
    return true;
  }
  if (!('serviceWorker' in navigator) || !window.isSecureContext) return false;
  if (sessionStorage.getItem(ISOLATION_RELOAD_KEY)) return false;
  try {
    await navigator.serviceWorker.register('sw.js');
    await navigator.serviceWorker.ready;
  } catch {
    return false;
  }
  sessionStorage.setItem(ISOLATION_RELOAD_KEY, '1');
  location.reload();
  return new Promise(() => {});
}

async function main() {
  if (!(await isolated())) {
    setStatus('Браузер не дал странице общую память: откройте её по HTTPS или через web/serve.py.');
    return;
  }
  await loadFirstProgram();
  showExampleState();
  start(null);
}

main();
