// Drives the playground (web/index.html) in headless Chromium and holds its
// transcripts against the console program's. Owns the page server it starts.
//
// Usage: node playground.mjs JOR   (JOR: the console program to compare with)
// Every example program must give the console's transcript byte for byte;
// keyboard lines, syntax errors, runaway recursion, Stop and -m must behave
// as at the console. Typed lines are shown in the page as a terminal echoes
// them; the comparisons leave those echoes out, as a pipe has none.
import { spawn, spawnSync } from 'node:child_process';
import { readdirSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const examplesDir = path.join(root, 'examples');
const jor = path.resolve(process.argv[2] ?? path.join(root, 'build/jor'));
const STATEMENT_TIMEOUT_MS = 60000;

// The console's transcript of FILE (or of the keyboard alone) with `lines`
// as the keyboard, run from the examples folder as the page runs it.
function consoleTranscript({ file = null, lines = [], heap = null }) {
  const args = [...(heap === null ? [] : ['-m', heap]), ...(file ? [file] : [])];
  const run = spawnSync(jor, args, {
    cwd: examplesDir,
    input: lines.map((l) => l + '\n').join(''),
    env: { ...process.env, LANG: 'C.UTF-8', LC_ALL: '', LC_CTYPE: '' },
  });
  if (run.error) throw run.error;
  // Decoding rejects what is not UTF-8, so equal text means equal bytes.
  return new TextDecoder('utf-8', { fatal: true }).decode(run.stdout);
}

function startServer() {
  const server = spawn('python3', [path.join(root, 'web/serve.py'), '0'], { stdio: ['ignore', 'pipe', 'inherit'] });
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
  await page.fill('#line', 'fib(18); '.repeat(1000));
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
  await reset(page, '0');
  check('-m 0', await output(page), consoleTranscript({ heap: '0' }));
  verify('-m 0 ends the session with status 9', (await status(page)).includes('код возврата 9'));
  const lines = ["n(k) = if k = 0 then '() else k : n(k - 1);", 'n(300);'];
  await reset(page, '1');
  for (const line of lines) await type(page, line);
  check('-m 1', await output(page), consoleTranscript({ heap: '1', lines }));
}

const { server, url } = await startServer();
const browser = await chromium.launch({ executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium', args: ['--no-sandbox'] });
try {
  const page = await browser.newPage();
  page.on('pageerror', (e) => { failures++; console.log(`FAIL page error: ${e.message}`); });
  await page.goto(url);
  await settled(page);
  await examplesMatchConsole(page);
  await keyboardFollowsFile(page);
  await syntaxErrorShowsParseStack(page);
  await runawayRecursionIsReported(page);
  await stopInterruptsComputation(page);
  await heapSizeIsPassed(page);
} finally {
  await browser.close();
  server.kill();
}
if (failures > 0) {
  console.log(`${failures} playground check(s) failed`);
  process.exit(1);
}
console.log('all playground checks passed');
