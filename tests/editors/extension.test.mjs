// Drives the VS Code extension's run command against a stand-in for the
// editor's API, and checks its manifest's messages and its word pattern.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import Module, { createRequire } from 'node:module';
import path from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';

const dir = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../editors/vscode');
const readJson = (name) => JSON.parse(fs.readFileSync(path.join(dir, name), 'utf8'));

// The editor as a case sets it up; every call the extension makes is logged.
let editor;
const vscode = {
  Uri: { file: (fsPath) => ({ fsPath }) },
  l10n: { t: (message) => message },
  commands: { registerCommand: (id, run) => { editor.commands[id] = run; } },
  workspace: {
    getConfiguration: (section) => ({ get: (key, fallback) => editor.settings[`${section}.${key}`] ?? fallback }),
    getWorkspaceFolder: () => editor.folder && { uri: { fsPath: editor.folder } },
  },
  window: {
    get activeTextEditor() {
      const { scheme = 'file', dirty = false, saves = true } = editor;
      const save = async () => editor.log.push('save') && saves;
      return { document: { uri: { scheme, fsPath: '/w/a b/p.jor' }, isDirty: dirty, save } };
    },
    showErrorMessage: (message) => editor.log.push(message),
    createTerminal: (options) => editor.log.push(options) && { show: () => editor.log.push('show') },
  },
};
const load = Module._load;
Module._load = function (request, ...rest) { return request === 'vscode' ? vscode : load.call(this, request, ...rest); };
const extension = createRequire(import.meta.url)(path.join(dir, 'extension.js'));

const terminal = (shellPath, ...args) =>
  ({ name: 'jor p.jor', shellPath, shellArgs: [...args, '/w/a b/p.jor'], cwd: '/w/a b' });
const cases = [
  [{}, [terminal('jor'), 'show']],
  [{ dirty: true, folder: '/w', settings: { 'jor.path': '${workspaceFolder}/build/jor', 'jor.arguments': ['-m', '9'] } },
    ['save', terminal('/w/build/jor', '-m', '9'), 'show']],
  [{ settings: { 'jor.path': '${workspaceFolder}/jor' } }, [terminal('/w/a b/jor'), 'show']],
  [{ dirty: true, saves: false }, ['save']],
  [{ scheme: 'untitled' }, ['Save the program to a file first: jor runs files.']],
];

test('the run command saves the file and runs jor on it in its folder', async () => {
  for (const [setup, log] of cases) {
    editor = { settings: {}, folder: null, commands: {}, log: [], ...setup };
    extension.activate({ subscriptions: [] });
    await editor.commands[readJson('package.json').contributes.commands[0].command]();
    assert.deepEqual(editor.log, log, JSON.stringify(setup));
  }
  const bundle = readJson('l10n/bundle.l10n.ru.json');
  const messages = cases.flatMap(([, log]) => log).filter((e) => typeof e === 'string' && !/^(save|show)$/.test(e));
  assert.ok(messages.every((message) => message in bundle));
});

test('every message of the manifest is in both languages', () => {
  const manifest = fs.readFileSync(path.join(dir, 'package.json'), 'utf8');
  const placeholders = [...manifest.matchAll(/"%([^%"]+)%"/g)].map((m) => m[1]).sort();
  for (const file of ['package.nls.json', 'package.nls.ru.json']) assert.deepEqual(Object.keys(readJson(file)).sort(), placeholders);
});

test('a word is what the lexer takes as one name or number', () => {
  const words = (text) => text.match(new RegExp(readJson('language-configuration.json').wordPattern, 'g'));
  assert.deepEqual(words('null?(x.y) + 2else - ИНАЧЕ_1; a?b ... 1.5e+3'),
    ['null?', 'x.y', '2e', 'lse', 'ИНАЧЕ_1', 'a?', 'b', '...', '1.5e+3']);
});
