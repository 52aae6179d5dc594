// A JOR notebook in Jupyter Notebook, in headless Chromium: it is opened
// from a running notebook server, every cell is run by the JOR kernel, and
// the page must show the cells highlighted by the kernelspec's CodeMirror
// mode and the kernel's results under them. Leaves a screenshot.
//
//   node notebook.mjs URL_OF_THE_NOTEBOOK SCREENSHOT.png
import { chromium } from 'playwright-core';

const [url, screenshot] = process.argv.slice(2);
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
const failures = [];
let checks = 0;
function check(condition, what) {
  checks++;
  console.log(`${condition ? 'ok' : 'FAILED'}: ${what}`);
  if (!condition) failures.push(what);
}

try {
  const page = await browser.newPage({ viewport: { width: 1100, height: 1400 } });
  await page.goto(url);
  // The kernel is ready once its kernel_info has answered; the server gave
  // this page a fresh one, so the cells run in a fresh session.
  await page.waitForFunction(() => window.Jupyter && Jupyter.notebook && Jupyter.notebook.kernel &&
                                   Jupyter.notebook.kernel.is_connected() &&
                                   Jupyter.notebook.kernel.info_reply.status === 'ok', null, { timeout: 60000 });
  await page.evaluate(() => {
    Jupyter.notebook.clear_all_output();
    Jupyter.notebook.execute_all_cells();
  });
  // Every code cell of this notebook shows something once it has run.
  await page.waitForFunction(() => !Jupyter.notebook.kernel_busy && Jupyter.notebook.get_cells()
    .filter((cell) => cell.cell_type === 'code').every((cell) => cell.output_area.outputs.length > 0),
                             null, { timeout: 60000, polling: 200 });

  const mode = await page.evaluate(() => Jupyter.notebook.get_cells().find((cell) => cell.cell_type === 'code')
    .code_mirror.getOption('mode'));
  check(mode === 'jor' || (mode && mode.name === 'jor'), `the code cells use the CodeMirror mode jor (${JSON.stringify(mode)})`);
  const keywords = await page.$$eval('.CodeMirror .cm-keyword', (spans) => spans.map((s) => s.textContent));
  check(['ЕСЛИ', 'ТО', 'ИНАЧЕ', 'ГДЕ', 'Л'].every((word) => keywords.includes(word)),
        `Russian keywords are highlighted as keywords (${[...new Set(keywords)].join(' ')})`);
  const builtins = await page.$$eval('.CodeMirror .cm-builtin', (spans) => spans.map((s) => s.textContent));
  check(builtins.includes('null') && builtins.includes('car'), 'built-in names are highlighted');
  const data = await page.$$eval('.CodeMirror .cm-string', (spans) => spans.map((s) => s.textContent));
  check(data.includes("'(3 1 4 1 5 9 2 6)"), 'quoted S-expressions are highlighted');

  const results = await page.$$eval('.output_area .output_text, .output_area .output_subarea',
                                    (nodes) => nodes.map((n) => n.innerText).join('\n'));
  check(results.includes('ФАКТОРИАЛ') && results.includes('120'), 'results of the Russian definitions are shown');
  check(results.includes('(СРЕДА ВТОРНИК ПОНЕДЕЛЬНИК)'), 'the last cell has its result');
  check(results.includes('Неверный аргумент функции +'), 'the error report is shown in Russian');
  await page.evaluate(() => { document.querySelector('#site').scrollTop = 0; });
  await page.screenshot({ path: screenshot });
} finally {
  await browser.close();
}
console.log(`${checks - failures.length} passed, ${failures.length} failed`);
process.exit(failures.length === 0 ? 0 : 1);
