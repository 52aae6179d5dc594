// The VS Code side of JOR: a command that runs the file being edited in the
// jor console, in a terminal of its own. Owns no state but the command.
'use strict';
const path = require('path');
const vscode = require('vscode');

// The program and its arguments from the settings. ${workspaceFolder} stands
// for the folder that holds the file, or for the file's own folder outside one.
function jorCommandLine(file) {
  const uri = vscode.Uri.file(file);
  const settings = vscode.workspace.getConfiguration('jor', uri);
  const folder = vscode.workspace.getWorkspaceFolder(uri);
  const root = folder ? folder.uri.fsPath : path.dirname(file);
  const program = settings.get('path', 'jor').split('${workspaceFolder}').join(root);
  return { program, args: [...settings.get('arguments', []), file] };
}

async function runFile() {
  const editor = vscode.window.activeTextEditor;
  if (!editor || editor.document.uri.scheme !== 'file') {
    vscode.window.showErrorMessage(vscode.l10n.t('Save the program to a file first: jor runs files.'));
    return;
  }
  const document = editor.document;
  if (document.isDirty && !(await document.save())) return;
  const file = document.uri.fsPath;
  const { program, args } = jorCommandLine(file);
  // jor is the terminal's only process, so the keyboard reaches it once the
  // file is read; it starts in the file's folder, where LOAD looks.
  const terminal = vscode.window.createTerminal({
    name: `jor ${path.basename(file)}`,
    shellPath: program,
    shellArgs: args,
    cwd: path.dirname(file),
  });
  terminal.show();
}

function activate(context) {
  context.subscriptions.push(vscode.commands.registerCommand('jor.runFile', runFile));
}

function deactivate() {}

module.exports = { activate, deactivate };
