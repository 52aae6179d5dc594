// Highlighting of JOR cells in Jupyter Notebook: a CodeMirror mode "jor" for
// the keywords in both spellings, built-in names, numbers, booleans, quoted
// S-expressions and comments. Jupyter Notebook loads this file with the
// kernel; the kernel names the mode in its language_info.
define(['codemirror/lib/codemirror', 'base/js/namespace'], function (CodeMirror, Jupyter) {
  'use strict';

  function set(words) {
    var table = {};
    words.forEach(function (word) { table[word] = true; });
    return table;
  }
  // The lexer's word keywords, both spellings; a test keeps this copy equal to them.
  var keywords = set(['OR', 'ИЛИ', 'AND', 'И', 'NOT', 'НЕ', 'Л', 'DELAY', 'ЗАДЕРЖАТЬ', 'FORCE', 'ВОЗОБНОВИТЬ',
                      'LET', 'ПУСТЬ', 'LETREC', 'ПУСТЬРЕК', 'WHERE', 'ГДЕ', 'WHEREREC', 'ГДЕРЕК', 'IF', 'ЕСЛИ',
                      'THEN', 'ТО', 'В', 'IN', 'ELSE', 'ИНАЧЕ', 'DIV', 'MOD']);
  var builtins = set(('QUOTE ATOM NUMBER NUMBER? PAIR? REAL? INTEGER? SYMBOL? PROCEDURE? BOOLEAN? ' +
                      'CONS EQ EQ? NULL NULL? SQRT MAX MIN SIN COS EXP LOG ABS TAN ATAN ACOS ASIN ' +
                      'FLOOR CEILING EXPT QUOTIENT REMAINDER DEFINE LAMBDA APPLY LAZY CURRY LOAD QUIT').split(' '));
  var name = /^[A-Za-zА-Яа-яЁё_.][A-Za-zА-Яа-яЁё0-9_.]*\??/;

  // Inside a quoted list the datum runs to its closing parenthesis, over lines.
  function datum(stream, state) {
    while (!stream.eol()) {
      var ch = stream.next();
      if (ch === '(') state.depth++;
      else if (ch === ')' && --state.depth === 0) break;
    }
    return 'string';
  }

  CodeMirror.defineMode('jor', function () {
    return {
      startState: function () { return {comment: false, depth: 0}; },
      token: function (stream, state) {
        if (state.comment) {
          if (stream.skipTo('*/')) {
            stream.match('*/');
            state.comment = false;
          } else {
            stream.skipToEnd();
          }
          return 'comment';
        }
        if (state.depth > 0) return datum(stream, state);
        if (stream.eatSpace()) return null;
        if (stream.match('//')) {
          stream.skipToEnd();
          return 'comment';
        }
        if (stream.match('/*')) {
          state.comment = true;
          return 'comment';
        }
        if (stream.match(/^#[tTfF]/)) return 'atom';
        if (stream.match(/^\d[\d.]*([eE][+-]?\d+)?/)) return 'number';
        if (stream.match(/^['`]\s*\(/)) {
          state.depth = 1;
          return datum(stream, state);
        }
        if (stream.match(/^['`][^\s(),;]*/)) return 'string';
        var word = stream.match(name);
        if (word) {
          var upper = word[0].toUpperCase();
          if (keywords[upper]) return 'keyword';
          if (builtins[upper] || /^C[AD]+R$/.test(upper)) return 'builtin';
          return 'variable';
        }
        if (stream.match('/\\')) return 'keyword';
        stream.next();
        return 'operator';
      },
      lineComment: '//',
      blockCommentStart: '/*',
      blockCommentEnd: '*/'
    };
  });
  CodeMirror.defineMIME('text/x-jor', 'jor');

  return {
    onload: function () {
      var notebook = Jupyter.notebook;
      if (!notebook) return;
      // Cells opened before the mode existed were left without one: a mode
      // set again reaches every cell and every new one.
      notebook.codemirror_mode = null;
      notebook.set_codemirror_mode('jor');
    }
  };
});
