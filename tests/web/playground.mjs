// Drives the playground (build-web/playground) in headless Chromium and
// holds its transcripts against the console program's. Owns the page
// servers it starts and the screenshots it leaves in build-web/screenshots.
//
// Usage: node playground.mjs JOR   (JOR: the console program to compare with)
// Every example program must give the console's transcript byte for byte;
// keyboard lines, syntax errors, runaway recursion, Stop and -m must behave
// as at the console. Typed lines are shown in the page as a terminal echoes
// them; the comparisons leave those echoes out, as a pipe has none. The
// rest checks the page around the interpreter: the editor, shortcuts, saved
// and shared programs, completion, the heap field, narrow screens, and the
// static folder served by a host that sends no isolation headers.
import { spawn, spawnSync } from 'node:child_process';
import { mkdirSync, mkdtempSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const examplesDir = path.join(root, 'examples');
const siteDir = path.join(root, 'build-web/playground');
const shotsDir = path.join(root, 'build-web/screenshots');
const jor = path.resolve(process.argv[2] ?? path.join(root, 'build/jor'));
const STATEMENT_TIMEOUT_MS = 60000;

// The console's transcript of FILE (or of the keyboard alone) with `lines`
// as the keyboard, run from the examples folder as the page runs it, or from
// a folder of its own for a FILE given with its text.
function consoleTranscript({ file = null, text = null, lines = [], heap = null }) {
  const args = [...(heap === null ? [] : ['-m', heap]), ...(file ? [file] : [])];
  let cwd = examplesDir;
  if (text !== null) {
    cwd = mkdtempSync(path.join(os.tmpdir(), 'jor-page-'));
    writeFileSync(path.join(cwd, file), text);
  }
  const run = spawnSync(jor, args, {
    cwd,
    input: lines.map((l) => l + '\n').join(''),
    env: { ...process.env, LANG: 'C.UTF-8', LC_ALL: '', LC_CTYPE: '' },
  });
  if (run.error) throw run.error;
  // Decoding rejects what is not UTF-8, so equal text means equal bytes.
  return new TextDecoder('utf-8', { fatal: true }).decode(run.stdout);
}

function startServer() {
  const server = spawn('python3', [path.join(root, 'web/serve.py'), '0', siteDir], { stdio: ['ignore', 'pipe', 'inherit'] });
  return new Promise((resolve, reject) => {
    server.on('error', reject);
    server.stdout.once('data', (data) => resolve({ server, url: data.toString().trim() }));
  });
}

// Waits until the session asks for a keyboard line or is over.
async function settled(page) {
  await page.waitForFunction(() => {
    const status = document.getElementById('status').textContent;
    return /Ждёт|окончен|прерван/.test(status);
  }, null, { timeout: STATEMENT_TIMEOUT_MS });
}

async function status(page) {
  return page.textContent('#status');
}

// The output as the program wrote it: the transcript less typed lines.
function output(page) {
  return page.evaluate(() => {
    const copy = document.getElementById('transcript').cloneNode(true);
    copy.querySelectorAll('.typed').forEach((echo) => echo.remove());
    return copy.textContent;
  });
}

async function type(page, line) {
  await page.fill('#line', line);
  await page.press('#line', 'Enter');
  await settled(page);
}

async function reset(page, heap = '500') {
  await page.fill('#heap', heap);
  await page.click('#reset');
  await settled(page);
}

async function runExample(page, name) {
  await page.selectOption('#examples', name);
  // Run replaces the status at once, so a settled status is this run's.
  await page.click('#run');
  await settled(page);
}

let failures = 0;
function verify(name, condition) {
  console.log(`${condition ? 'ok  ' : 'FAIL'} ${name}`);
  if (!condition) failures++;
}

function check(name, actual, expected) {
  if (actual === expected) {
    console.log(`ok   ${name}`);
    return;
  }
  failures++;
  let at = 0;
  while (at < actual.length && actual[at] === expected[at]) at++;
  console.log(`FAIL ${name}: first difference at character ${at}`);
  console.log(`  expected: ${JSON.stringify(expected.slice(Math.max(0, at - 80), at + 80))}`);
  console.log(`  actual:   ${JSON.stringify(actual.slice(Math.max(0, at - 80), at + 80))}`);
}

async function examplesMatchConsole(page) {
  const names = readdirSync(examplesDir).filter((n) => n.endsWith('.jor')).sort();
  for (const name of names) {
    await runExample(page, name);
    const [actual, expected] = [await output(page), consoleTranscript({ file: name })];
    check(`example ${name}`, actual, expected);
  }
}

async function keyboardFollowsFile(page) {
  const lines = ['square(12);', 'fact(5);'];
  await runExample(page, 'tour.jor');
  for (const line of lines) await type(page, line);
  check('keyboard after tour.jor', await output(page), consoleTranscript({ file: 'tour.jor', lines }));
  const shown = await page.textContent('#transcript');
  verify('typed line shown after the prompt', shown.endsWith('> fact(5);\n120\n> '));
}

async function syntaxErrorShowsParseStack(page) {
  const lines = ['f(x) = ;', '1 + (2 * ;', '3 + 4;'];
  await reset(page);
  for (const line of lines) await type(page, line);
  const shown = await output(page);
  check('syntax errors', shown, consoleTranscript({ lines }));
  verify('parse stack shown', shown.includes('-> <заголовок> = ;\n'));
}

// Runaway recursion ends with the console's report and the session goes on.
async function runawayRecursionIsReported(page) {
  const lines = ['f(n) = 1 + f(n + 1);', 'f(1);', 'lazy(#t);', 'x = x;', 'x;', 'lazy(#f);', 'f(1) - f(1);', '2 + 2;'];
  await reset(page);
  for (const line of lines) await type(page, line);
  check('runaway recursion', await output(page), consoleTranscript({ lines }));
}

// Stop acts as Ctrl-C at a terminal: error 7, definitions kept.
async function stopInterruptsComputation(page) {
  await reset(page);
  await type(page, 'fib(n) = if n < 2 then n else fib(n - 1) + fib(n - 2);');
  // The heap is collected only between statements, so a long computation
  // is a long line of short ones; error 7 drops the rest of the line.
  await page.fill('#line', 'fib(20); '.repeat(1000));
  await page.press('#line', 'Enter');
  await page.waitForFunction(() => !document.getElementById('stop').disabled);
  await page.waitForTimeout(500);
  verify('still computing before Stop', (await status(page)).startsWith('Выполняется'));
  await page.click('#stop');
  await settled(page);
  await type(page, 'fib(10);');
  const shown = await output(page);
  verify('Stop reports error 7', shown.includes('\n-> Прерывание по Ctrl-C\n'));
  verify('session goes on after Stop', shown.endsWith('> 55\n> '));
}

async function heapSizeIsPassed(page) {
  const lines = ["n(k) = if k = 0 then '() else k : n(k - 1);", 'n(300);'];
  await reset(page, '1');
  for (const line of lines) await type(page, line);
  check('-m 1', await output(page), consoleTranscript({ heap: '1', lines }));
}

// The field takes what -m takes: a whole number of thousands of cells whose
// count fits a signed 32-bit int. Anything else starts nothing.
async function heapFieldIsChecked(page) {
  const cases = [['abc', false], ['0', false], ['-5', false], ['1.5', false], ['', false],
                 ['2147484', false], ['99999999', false], ['2147483', true], [' 42 ', true], ['500', true]];
  for (const [value, accepted] of cases) {
    await page.fill('#heap', value);
    const message = await page.textContent('#heap-message');
    const invalid = await page.getAttribute('#heap', 'aria-invalid');
    verify(`heap field ${JSON.stringify(value)} ${accepted ? 'accepted' : 'refused'}`,
      accepted ? message === '' && invalid === 'false' : message !== '' && invalid === 'true');
  }
  await page.fill('#heap', '0');
  const before = await page.textContent('#transcript');
  await page.click('#reset');
  verify('a refused heap size starts no session',
    (await status(page)).startsWith('Не запущено') && (await page.textContent('#transcript')) === before);
  await reset(page);
}

// The heap's arrays are taken untouched, so a large heap starts at once.
async function largeHeapStartsQuickly(page) {
  await page.fill('#heap', '30000');
  const started = Date.now();
  await page.click('#reset');
  await settled(page);
  const elapsed = Date.now() - started;
  console.log(`     -m 30000 ready in ${elapsed} ms`);
  const lines = ["n(k) = if k = 0 then '() else k : n(k - 1);", 'length(l) = if null(l) then 0 else 1 + length(cdr(l));', 'length(n(20000));'];
  for (const line of lines) await type(page, line);
  check('-m 30000', await output(page), consoleTranscript({ heap: '30000', lines }));
  await reset(page);
}

// ---- The editor ----

async function setEditorText(page, text) {
  await page.click('.cm-content');
  await page.keyboard.press('Control+A');
  await page.keyboard.press('Delete');
  await page.keyboard.insertText(text);
}

function editorText(page) {
  return page.$$eval('.cm-content .cm-line', (lines) => lines.map((line) => line.textContent).join('\n'));
}

// Each token must be shown with its class; words that only look like
// keywords must not be.
async function highlighting(page) {
  await setEditorText(page, [
    'f(x) = if x then 1 else 2 div 3 mod 4;',
    'g(y) = ЕСЛИ y ТО 1 ИНАЧЕ 2; если y то 1 иначе 2; ЕсЛи y Then 1 eLsE 2;',
    'h = Л x: x where x = 1; let z = 3 in z; /\\ a: a; ПУСТЬ в = 1 В в;',
    "// a line comment\n/* a block\ncomment */ 12 1.5e3 #t 'abc '(a (b) c) `(f x) ifx lambda;",
    '-> 3 the result line',
  ].join('\n'));
  const classes = await page.$$eval('.cm-content span[class*="jor-"]',
    (spans) => spans.map((span) => [span.className, span.textContent]));
  const has = (cls, text) => classes.some(([c, t]) => c.includes(cls) && t === text);
  const expected = [
    ['jor-keyword', ['if', 'then', 'else', 'div', 'mod', 'ЕСЛИ', 'ТО', 'ИНАЧЕ', 'если', 'то', 'иначе',
                     'ЕсЛи', 'Then', 'eLsE', 'Л', 'where', 'let', 'in', '/\\', 'ПУСТЬ', 'в', 'В']],
    ['jor-comment', ['// a line comment', '/* a block', 'comment */']],
    ['jor-number', ['12', '1.5e3', '#t']],
    ['jor-quoted', ["'abc", "'(a (b) c)"]],
    ['jor-code', ['`(f x)']],
    ['jor-output', ['-> 3 the result line']],
    ['jor-definition', ['f', 'g', 'h']],
  ];
  for (const [cls, texts] of expected)
    for (const text of texts) verify(`${cls} on ${JSON.stringify(text)}`, has(cls, text));
  for (const word of ['ifx', 'lambda', 'x', 'y'])
    verify(`${JSON.stringify(word)} is not a keyword`, !has('jor-keyword', word));
  await page.click('.cm-content');
  await page.keyboard.press('Control+End');
  await page.keyboard.insertText('\n(1 + (2 * 3))');
  await page.keyboard.press('ArrowLeft');
  verify('brackets matched', (await page.$$('.cm-matchingBracket')).length === 2);
  await page.keyboard.press('Control+Z');
  verify('undo takes back the last edit', !(await editorText(page)).includes('(1 + (2 * 3))'));
}

// Ctrl+Enter in the editor and Cmd+Enter from elsewhere run the program.
async function shortcutsRun(page) {
  const text = 'x = 6 * 7;\nx + 1;\n';
  await page.fill('#filename', 'keys.jor');
  await setEditorText(page, text);
  await page.keyboard.press('Control+Enter');
  await settled(page);
  check('Ctrl+Enter runs the program', await output(page), consoleTranscript({ file: 'keys.jor', text }));
  await type(page, 'x;');
  await page.focus('#line');
  await page.keyboard.press('Meta+Enter');
  await settled(page);
  check('Cmd+Enter runs it again', await output(page), consoleTranscript({ file: 'keys.jor', text }));
}

async function escapeStops(page) {
  await reset(page);
  await type(page, 'fib(n) = if n < 2 then n else fib(n - 1) + fib(n - 2);');
  await page.fill('#line', 'fib(20); '.repeat(1000));
  await page.press('#line', 'Enter');
  await page.waitForFunction(() => !document.getElementById('stop').disabled);
  await page.keyboard.press('Escape');
  await settled(page);
  // Escape may come before the first result, right after the prompt.
  verify('Escape reports error 7', (await output(page)).endsWith('> -> Прерывание по Ctrl-C\n> ') ||
    (await output(page)).endsWith('\n-> Прерывание по Ctrl-C\n> '));
}

async function tabAfter(page, typed) {
  await page.fill('#line', typed);
  await page.press('#line', 'Tab');
  // An answer from the interpreter takes a message there and back.
  await page.waitForSelector('#line[aria-busy="false"]');
  return [await page.inputValue('#line'), await page.textContent('#choices')];
}

// Tab completes as the console does: keywords, built-ins, names defined,
// those of a LOADed file too; while a statement runs, the page's own lists.
async function tabCompletes(page) {
  await reset(page);
  await type(page, 'fact(n) = if n = 0 then 1 else n * fact(n - 1);');
  await type(page, "load('statistics.lib);");
  const cases = [
    ['sq', 'sqrt', ''], ['fa', 'fact', ''], ['ЕС', 'ЕСЛИ', ''], ['ина', 'иначе', ''], ['mea', 'mean', ''],
    ['x + nu', 'x + nu', 'null  null?  number  number?'], ['WHERE', 'WHERE', 'WHERE  WHEREREC'],
    ['zzz', 'zzz', ''], ['12', '12', ''],
  ];
  for (const [typed, completed, choices] of cases) {
    const [line, shown] = await tabAfter(page, typed);
    verify(`Tab after ${JSON.stringify(typed)}`, line === completed && shown === choices);
    if (line !== completed || shown !== choices) console.log(`     got ${JSON.stringify(line)}, ${JSON.stringify(shown)}`);
  }
  verify('Tab keeps the focus in the line', await page.evaluate(() => document.activeElement.id === 'line'));
  await type(page, 'fib(n) = if n < 2 then n else fib(n - 1) + fib(n - 2);');
  await page.fill('#line', 'fib(20); '.repeat(1000));
  await page.press('#line', 'Enter');
  const [busyFact, busyMean] = [await tabAfter(page, 'fa'), await tabAfter(page, 'mea')];
  verify('while computing, Tab offers what the page saw defined', busyFact[0] === 'fact' && busyMean[0] === 'mea');
  await page.click('#stop');
  await settled(page);
  await page.fill('#line', '');
}

// The text survives a reload; the menu says when an example was changed.
async function textIsKept(page) {
  const shownExample = () => page.$eval('#examples', (menu) => menu.selectedOptions[0].textContent);
  await page.selectOption('#examples', 'gcd.jor');
  verify('a chosen example is not marked changed', (await shownExample()) === 'gcd.jor');
  await page.click('.cm-content');
  await page.keyboard.press('Control+End');
  await page.keyboard.insertText('\n// mine');
  verify('the menu says the example was changed', (await shownExample()) === 'gcd.jor — изменён');
  const text = await editorText(page);
  await page.reload();
  await settled(page);
  verify('the text survives a reload', (await editorText(page)) === text);
  verify('and is still marked changed', (await shownExample()) === 'gcd.jor — изменён');
  verify('the file name survives a reload', (await page.inputValue('#filename')) === 'gcd.jor');
}

// A shared link opened in a fresh browser shows the same program.
async function linkCarriesProgram(page, browser, url) {
  const text = 'приветствие = \'(здравствуй мир);\n// Кириллица и ASCII, and a long line: ' + 'x'.repeat(3000) + '\nприветствие;\n';
  await page.fill('#filename', 'share.jor');
  await setEditorText(page, text);
  await page.click('#share');
  await page.waitForFunction(() => location.hash.includes('code='));
  const link = page.url();
  verify('the link is short', link.length < 600);
  const fresh = await browser.newContext();
  const other = await fresh.newPage();
  await other.goto(link);
  await settled(other);
  verify('the link shows the program in a fresh browser', (await editorText(other)) === text.replace(/\n$/, '\n'));
  verify('and its file name', (await other.inputValue('#filename')) === 'share.jor');
  verify('the link leaves the address once loaded', !other.url().includes('#'));
  await other.click('#run');
  await settled(other);
  check('the shared program runs', await output(other), consoleTranscript({ file: 'share.jor', text }));
  await fresh.close();
}

// The worker tells reports from other output and gives the program's
// statements their lines; the page marks those lines. A stand-in worker
// sends such events here; reportOfProgramIsMarked checks the real one.
const STAND_IN_WORKER = `
self.onmessage = () => {
  postMessage({ examples: [] });
  postMessage({ events: [
    { kind: 'echo', text: 'a = 1;\\n', firstLine: 1, lastLine: 1 },
    { kind: 'result', text: '-> A\\n', firstLine: 1, lastLine: 1 },
    { kind: 'echo', text: 'b = car(\\n  a);\\n', firstLine: 2, lastLine: 3 },
    { kind: 'report', text: '-> Неверный аргумент функции CAR\\n', firstLine: 2, lastLine: 3 },
  ] });
  postMessage({ waiting: true });
  postMessage({ events: [{ kind: 'report', text: '-> из клавиатуры\\n' }] });
};`;

async function reportsAreMarked(browser, url) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
  await context.route('**/worker.js', (route) => route.fulfill({
    contentType: 'text/javascript', body: STAND_IN_WORKER,
    headers: { 'Cross-Origin-Embedder-Policy': 'require-corp', 'Cross-Origin-Opener-Policy': 'same-origin' },
  }));
  const page = await context.newPage();
  await page.goto(url);
  await settled(page);
  await setEditorText(page, 'a = 1;\nb = car(\n  a);\nc = 3;\n');
  await page.click('#run');
  await settled(page);
  const marked = await page.$$eval('.cm-line', (lines) => lines.map((l, i) => l.classList.contains('jor-error-line') ? i + 1 : 0).filter(Boolean));
  verify('the lines of the failed statement are marked', JSON.stringify(marked) === '[2,3]');
  const reports = await page.$$eval('#transcript .out-report', (spans) => spans.map((s) => s.textContent));
  verify('reports are shown in their own style', reports.length === 2 && reports[0].includes('CAR'));
  const colours = await page.$eval('#transcript', (t) => [getComputedStyle(t.querySelector('.out-report')).color,
    getComputedStyle(t.querySelector('.out-result')).color]);
  verify('a report looks unlike a result', colours[0] !== colours[1]);
  await setEditorText(page, 'x;\n');
  await page.click('#run');
  await settled(page);
  verify('a new run clears the marks', (await page.$$('.jor-error-line')).length === 1);
  await context.close();
}

// The real interpreter: the failed statement of the program is marked, and
// what it writes is shown by kind while the transcript stays the console's.
async function reportOfProgramIsMarked(page) {
  const text = 'a = 1;\nb = car(\n  a);\nc = 3;\n';
  await page.fill('#filename', 'marks.jor');
  await setEditorText(page, text);
  await page.click('#run');
  await settled(page);
  await type(page, 'car(2);');
  check('a failing program', await output(page), consoleTranscript({ file: 'marks.jor', text, lines: ['car(2);'] }));
  const marked = await page.$$eval('.cm-line', (lines) => lines.map((l, i) => l.classList.contains('jor-error-line') ? i + 1 : 0).filter(Boolean));
  verify('the failed statement of the program is marked', JSON.stringify(marked) === '[2,3]');
  const kinds = await page.$$eval('#transcript span', (spans) => spans.map((s) => [s.className, s.textContent]));
  const shown = (cls, start) => kinds.some(([c, t]) => c === cls && t.startsWith(start));
  verify('echo, result and report shown by kind',
    shown('out-echo', 'a = 1;') && shown('out-result', '-> A') && shown('out-report', '-> Неверный аргумент функции CAR'));
  verify('a report from the keyboard is shown as one too', kinds.filter(([c]) => c === 'out-report').length === 2);
  await page.screenshot({ path: path.join(shotsDir, 'desktop-error-marked.png') });
  await page.emulateMedia({ colorScheme: 'dark' });
  await page.screenshot({ path: path.join(shotsDir, 'desktop-error-marked-dark.png') });
  await page.emulateMedia({ colorScheme: 'light' });
}

// ---- Layouts and screenshots ----

async function narrowScreen(browser, url) {
  const context = await browser.newContext({ viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true });
  const page = await context.newPage();
  await page.goto(url);
  await settled(page);
  await runExample(page, 'tour.jor');
  await type(page, "'(" + 'один_длинный_список '.repeat(30) + ');');
  const layout = await page.evaluate(() => {
    const box = (id) => document.getElementById(id).getBoundingClientRect();
    const t = document.getElementById('transcript');
    return { page: document.documentElement.scrollWidth, view: document.documentElement.clientWidth,
             transcript: t.scrollWidth - t.clientWidth, stacked: box('console').top >= box('source').bottom - 1 };
  });
  verify('no horizontal scrolling at 390 px', layout.page <= layout.view);
  verify('output wraps at 390 px', layout.transcript <= 0);
  verify('panes stacked at 390 px', layout.stacked);
  // Every word of the long list lies on one line of the wrapped output.
  const splitWords = await page.$eval('#transcript', (t) => {
    const walker = document.createTreeWalker(t, NodeFilter.SHOW_TEXT);
    let split = 0, seen = 0;
    for (let node = walker.nextNode(); node; node = walker.nextNode()) {
      for (const match of node.textContent.matchAll(/ОДИН_ДЛИННЫЙ_СПИСОК/g)) {
        const range = document.createRange();
        range.setStart(node, match.index);
        range.setEnd(node, match.index + match[0].length);
        seen++;
        if (range.getClientRects().length !== 1) split++;
      }
    }
    return seen >= 30 ? split : -1;
  });
  verify('output wraps at word boundaries', splitWords === 0);
  await page.screenshot({ path: path.join(shotsDir, 'phone-light.png') });
  await page.emulateMedia({ colorScheme: 'dark' });
  const dark = await page.$eval('body', (b) => getComputedStyle(b).backgroundColor);
  verify('the dark scheme is followed', dark !== 'rgb(246, 246, 244)');
  await page.screenshot({ path: path.join(shotsDir, 'phone-dark.png') });
  await context.close();
}

async function desktopScreenshots(page) {
  await runExample(page, 'tour.jor');
  await page.screenshot({ path: path.join(shotsDir, 'desktop-light.png') });
  await page.emulateMedia({ colorScheme: 'dark' });
  await page.screenshot({ path: path.join(shotsDir, 'desktop-dark.png') });
  await page.emulateMedia({ colorScheme: 'light' });
}

// ---- A host without isolation headers ----

// A static file server as the plainest hosts are: no extra headers at all.
function startPlainServer() {
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm' };
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://host').pathname);
    const file = path.join(siteDir, name.endsWith('/') ? `${name}index.html` : name);
    try {
      const body = readFileSync(file);
      response.writeHead(200, { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream' });
      response.end(body);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({ server, url: `http://127.0.0.1:${server.address().port}/` })));
}

async function plainHostWorks(browser) {
  const { server, url } = await startPlainServer();
  const context = await browser.newContext();
  try {
    const page = await context.newPage();
    page.on('pageerror', (e) => { failures++; console.log(`FAIL page error: ${e.message}`); });
    await page.goto(url);
    await settled(page);
    verify('isolated through the service worker', await page.evaluate(() => self.crossOriginIsolated && Boolean(navigator.serviceWorker.controller)));
    await runExample(page, 'queens.jor');
    check('example queens.jor from a plain host', await output(page), consoleTranscript({ file: 'queens.jor' }));
  } finally {
    await context.close();
    server.close();
  }
}

const CHROMIUM_FLAGS = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

mkdirSync(shotsDir, { recursive: true });
const { server, url } = await startServer();
// Each launch gets a fresh profile folder of its own.
const browser = await chromium.launch({ executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium', headless: true, args: CHROMIUM_FLAGS });
try {
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
  await context.grantPermissions(['clipboard-read', 'clipboard-write']);
  const page = await context.newPage();
  page.on('pageerror', (e) => { failures++; console.log(`FAIL page error: ${e.message}`); });
  await page.goto(url);
  await settled(page);
  await examplesMatchConsole(page);
  await keyboardFollowsFile(page);
  await syntaxErrorShowsParseStack(page);
  await runawayRecursionIsReported(page);
  await stopInterruptsComputation(page);
  await escapeStops(page);
  await heapSizeIsPassed(page);
  await heapFieldIsChecked(page);
  await largeHeapStartsQuickly(page);
  await highlighting(page);
  await shortcutsRun(page);
  await tabCompletes(page);
  await reportOfProgramIsMarked(page);
  await textIsKept(page);
  await linkCarriesProgram(page, browser, url);
  await desktopScreenshots(page);
  await reportsAreMarked(browser, url);
  await narrowScreen(browser, url);
  await plainHostWorks(browser);
} finally {
  await browser.close();
  server.kill();
}
if (failures > 0) {
  console.log(`${failures} playground check(s) failed`);
  process.exit(1);
}
console.log('all playground checks passed');
