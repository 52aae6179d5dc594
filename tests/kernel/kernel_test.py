#!/usr/bin/python3
"""The Jupyter kernel as Jupyter drives it.

Installs the build into a temporary prefix, starts the installed kernel
through its kernelspec with jupyter_client, and checks each request a
notebook front end makes: cells in one session, errors, completeness,
completion and inspection, interrupt and restart, LOAD and QUIT, the heap
size, and the example notebooks, whose outputs must equal what the console
prints for the same statements.

    kernel_test.py BUILD_DIR SOURCE_DIR

Exits 77 (skipped) where Debian's jupyter_client, nbformat or nbconvert is
missing.
"""
import json
import os
import pathlib
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

try:
    import jupyter_client
    import nbformat
    import nbconvert  # noqa: F401  (the notebooks are executed by its command line)
except ImportError as missing:
    print(f'skipped: {missing.name} is not installed (tools/install-deps --tests installs it)')
    sys.exit(77)

BUILD, SOURCE = (pathlib.Path(p).resolve() for p in sys.argv[1:3])
PREFIX = pathlib.Path(tempfile.mkdtemp(prefix='jor-kernel-test-'))
TIMEOUT = 30  # seconds for any one reply
JUPYTER = shutil.which('jupyter', path='/usr/bin') or 'jupyter'


def install():
    subprocess.run(['cmake', '--install', str(BUILD), '--prefix', str(PREFIX)], check=True,
                   stdout=subprocess.DEVNULL)
    for folder in ('data', 'runtime', 'config'):
        (PREFIX / folder).mkdir()
    os.environ.update(JUPYTER_PATH=str(PREFIX / 'share' / 'jupyter'), JUPYTER_DATA_DIR=str(PREFIX / 'data'),
                      JUPYTER_RUNTIME_DIR=str(PREFIX / 'runtime'), JUPYTER_CONFIG_DIR=str(PREFIX / 'config'))
    os.environ.pop('JOR_HEAP', None)


def add_kernelspec(name, heap):
    """A copy of the installed kernelspec whose -m gives `heap`."""
    spec_dir = PREFIX / 'share' / 'jupyter' / 'kernels'
    spec = json.loads((spec_dir / 'jor' / 'kernel.json').read_text())
    spec['argv'][spec['argv'].index('-m') + 1] = str(heap)
    (spec_dir / name).mkdir(exist_ok=True)
    (spec_dir / name / 'kernel.json').write_text(json.dumps(spec))


class Kernel:
    """One kernel process and a client of it."""

    def __init__(self, name='jor', cwd=None, env=None):
        self.manager = jupyter_client.KernelManager(kernel_name=name)
        extra = {'env': {**os.environ, **env}} if env else {}
        self.manager.start_kernel(cwd=str(cwd or PREFIX), **extra)
        self.client = self.manager.client()
        self.client.start_channels()
        self.client.wait_for_ready(timeout=TIMEOUT)

    def close(self):
        self.client.stop_channels()
        self.manager.shutdown_kernel(now=True)

    def reply(self, msg_id):
        deadline = time.monotonic() + TIMEOUT
        while True:
            message = self.client.get_shell_msg(timeout=max(0.1, deadline - time.monotonic()))
            if message['parent_header'].get('msg_id') == msg_id:
                return message['content']

    def execute(self, code, while_busy=None):
        """The reply and the outputs of one cell: ('stream', text),
        ('result', text) and ('error', ename, evalue, traceback)."""
        msg_id = self.client.execute(code)
        outputs = []
        deadline = time.monotonic() + TIMEOUT
        while True:
            message = self.client.get_iopub_msg(timeout=max(0.1, deadline - time.monotonic()))
            if message['parent_header'].get('msg_id') != msg_id:
                continue
            kind, content = message['msg_type'], message['content']
            if kind == 'status' and content['execution_state'] == 'busy' and while_busy:
                while_busy()
            elif kind == 'status' and content['execution_state'] == 'idle':
                break
            elif kind == 'stream':
                self.assertion(content['name'] == 'stdout')
                outputs.append(('stream', content['text']))
            elif kind == 'execute_result':
                outputs.append(('result', content['data']['text/plain']))
            elif kind == 'error':
                outputs.append(('error', content['ename'], content['evalue'], content['traceback']))
        return self.reply(msg_id), outputs

    @staticmethod
    def assertion(condition):
        if not condition:
            raise AssertionError('unexpected message')

    def ask(self, request, *args):
        return self.reply(getattr(self.client, request)(*args))


def error(code, *lines):
    return ('error', f'Ошибка {code}', lines[0][3:], list(lines))


class KernelTest(unittest.TestCase):
    kernel = None

    @classmethod
    def setUpClass(cls):
        cls.kernel = Kernel()

    @classmethod
    def tearDownClass(cls):
        cls.kernel.close()

    def test_kernel_info(self):
        info = self.kernel.ask('kernel_info')
        language = info['language_info']
        self.assertEqual(language['name'], 'jor')
        self.assertEqual(language['file_extension'], '.jor')
        self.assertEqual(language['mimetype'], 'text/x-jor')
        self.assertEqual(language['codemirror_mode'], 'jor')
        self.assertTrue(info['banner'].startswith('JOR - функциональный язык'))
        spec = json.loads((PREFIX / 'share/jupyter/kernels/jor/kernel.json').read_text())
        self.assertEqual(spec['language'], 'jor')
        self.assertEqual(spec['interrupt_mode'], 'signal')
        self.assertTrue(os.access(spec['argv'][0], os.X_OK))
        for resource in ('logo-32x32.png', 'logo-64x64.png', 'kernel.js'):
            self.assertTrue((PREFIX / 'share/jupyter/kernels/jor' / resource).is_file(), resource)

    def test_the_highlighted_builtins_are_the_tables(self):
        # The keywords among the rows (IF, LET, AND ...) are highlighted as keywords.
        table = re.findall(r'(?:\{|boolean_row<\w+>\()"([^"]+)", ', (SOURCE / 'src/builtins/table.cpp').read_text())
        mode = (SOURCE / 'src/kernel/kernelspec/kernel.js').read_text()
        keywords = set(re.findall(r"'([^']+)'", mode[mode.index('var keywords'):mode.index('var builtins')]))
        builtins = re.search(r"var builtins = set\(\((.*?)\)\.split", mode, re.S).group(1)
        named = {name for name in table[1:] if re.fullmatch(r'[A-Z]+\??', name) and name not in keywords}
        self.assertEqual(set(' '.join(re.findall(r"'([^']*)'", builtins)).split()), named)

    def test_cells_share_one_session(self):
        cells = [
            ('f(x) = x * x;\nf(3); f(4)', 'ok', [('stream', 'F\n'), ('stream', '9\n'), ('result', '16')]),
            ('lazy(#t); curry(#t); g(a, b) = a - b', 'ok',
             [('stream', '#T\n'), ('stream', '#T\n'), ('result', 'G')]),
            ("g(10)(f(2)); ones = 1 : ones; take(n, l) = if n = 0 then '() else car(l) : take(n - 1, cdr(l))",
             'ok', [('stream', '6\n'), ('stream', 'ONES\n'), ('result', 'TAKE')]),
            ('take(3, ones)', 'ok', [('result', '(1 1 1)')]),
            ("'(привет мир)", 'ok', [('result', '(ПРИВЕТ МИР)')]),
            ('lazy(#f); curry(#f);', 'ok', [('stream', '#F\n'), ('result', '#F')]),
            ('', 'ok', []),
        ]
        for code, status, outputs in cells:
            reply, shown = self.kernel.execute(code)
            self.assertEqual(reply['status'], status, code)
            self.assertEqual(shown, outputs, code)

    def test_an_error_drops_the_rest_of_the_cell(self):
        reply, shown = self.kernel.execute('h(x) = x + 1;\nh(1); car(1); h(2)\nh(3)')
        trace = error(13, '-> Неверный аргумент функции CAR', '-> в выражении (CAR 1)',
                      '-> при вызове CAR с аргументами (1)')
        self.assertEqual(shown, [('stream', 'H\n'), ('stream', '2\n'), trace])
        self.assertEqual((reply['status'], reply['ename'], reply['evalue'], reply['traceback']),
                         ('error',) + trace[1:])
        self.assertEqual(self.kernel.execute('h(4)')[1], [('result', '5')])
        reply, shown = self.kernel.execute('k(x) =')
        self.assertEqual(shown, [error(11, '-> Синтаксическая ошибка: стек синтаксического разбора',
                                       '-> <заголовок> = EOF')])

    def test_is_complete_uses_the_parser(self):
        self.kernel.execute('defined(x) = x')
        cases = {'new(x) = ': 'incomplete', 'new(x) = x': 'complete', 'new(x) = x;\nnew(2)': 'complete',
                 'new(x) = )': 'invalid', 'if 1 = 1 then 2': 'incomplete', "'(1 2": 'incomplete',
                 '1; /* comment': 'incomplete', 'defined(2)': 'complete', 'undefined(2)': 'invalid'}
        for code, status in cases.items():
            self.assertEqual(self.kernel.ask('is_complete', code)['status'], status, code)
        # Nothing the parse read was defined.
        self.assertEqual(self.kernel.execute('new')[1], [error(15, '-> Неизвестный символ NEW')])

    def test_completion_and_inspection(self):
        self.kernel.execute('квадрат(x) = x * x; квота = 3')
        cases = [('кв', ['квадрат', 'квота'], 0), ('ква', ['квадрат'], 0), ('x = ес', ['если'], 4), ('THE', ['THEN'], 0),
                 ('con', ['cons'], 0), ('l', ['lambda', 'lazy', 'let', 'letrec', 'load', 'log'], 0)]
        for code, matches, start in cases:
            reply = self.kernel.ask('complete', code)
            self.assertEqual((reply['matches'], reply['cursor_start'], reply['cursor_end']),
                             (matches, start, len(code)), code)
        shown = {code: self.kernel.ask('inspect', code, len(code)) for code in ('квадрат', 'cons', 'ИНАЧЕ', 'xyz')}
        self.assertEqual(shown['квадрат']['data']['text/plain'],
                         'КВАДРАТ: функция, определённая в сеансе\n[(LAMBDA (X) (* X X))]')
        self.assertEqual(shown['cons']['data']['text/plain'], 'CONS: встроенная функция, арность 2')
        self.assertEqual(shown['ИНАЧЕ']['data']['text/plain'], 'ИНАЧЕ: ключевое слово')
        self.assertFalse(shown['xyz']['found'])


class SessionLifeTest(unittest.TestCase):
    def test_interrupt_then_restart(self):
        # fib takes about 120 million cells a second here: the heap must
        # outlast the wait before the interrupt several times over.
        kernel = Kernel(env={'JOR_HEAP': '100000'})
        try:
            kernel.execute('x = 1; fib(n) = if n < 2 then n else fib(n - 1) + fib(n - 2)')
            started = time.monotonic()
            reply, shown = kernel.execute('fib(45); x + 100',
                                          while_busy=lambda: (time.sleep(0.2), kernel.manager.interrupt_kernel()))
            self.assertLess(time.monotonic() - started, 4)
            self.assertEqual(reply['status'], 'error')
            self.assertEqual(shown, [error(7, '-> Прерывание по Ctrl-C')])
            self.assertEqual(kernel.execute('x')[1], [('result', '1')])
            # An interrupt between cells is for no statement.
            kernel.manager.interrupt_kernel()
            time.sleep(0.3)
            self.assertEqual(kernel.execute('x + 1')[1], [('result', '2')])
            kernel.manager.restart_kernel(now=False)
            kernel.client.wait_for_ready(timeout=TIMEOUT)
            self.assertEqual(kernel.execute('x')[1], [error(15, '-> Неизвестный символ X')])
        finally:
            kernel.close()

    def test_the_kernel_ends_with_the_front_end_that_started_it(self):
        front_end = subprocess.Popen([sys.executable, '-c', (
            'import jupyter_client, time\n'
            'manager = jupyter_client.KernelManager(kernel_name="jor")\n'
            'manager.start_kernel()\n'
            'print(manager.provisioner.process.pid, flush=True)\n'
            'time.sleep(60)\n')], stdout=subprocess.PIPE, text=True)
        kernel = int(front_end.stdout.readline())
        front_end.kill()
        front_end.wait()
        deadline = time.monotonic() + 10
        alive = pathlib.Path(f'/proc/{kernel}')
        while alive.exists() and time.monotonic() < deadline:
            time.sleep(0.2)
        if alive.exists():
            os.kill(kernel, signal.SIGKILL)  # it holds this test's output open
            self.fail('the kernel outlived its front end')

    def test_load_from_the_notebooks_folder_and_quit(self):
        folder = PREFIX / 'notes'
        folder.mkdir()
        (folder / 'lib.jor').write_text('двойное(x) = 2 * x;\nдвойное(4);\n')
        kernel = Kernel(cwd=folder)
        try:
            # As at the console, the keyboard goes on with the line after the LOAD.
            reply, shown = kernel.execute("LOAD('lib.jor);\nдвойное(5)")
            self.assertEqual(shown, [('stream', 'двойное(x) = 2 * x;\n'), ('stream', '-> ДВОЙНОЕ\n'),
                                     ('stream', 'двойное(4);\n'), ('stream', '-> 8\n'), ('result', '10')])
            reply, shown = kernel.execute('QUIT(); двойное(1)')
            self.assertEqual((reply['status'], shown), ('ok', [('stream', 'Bye\n')]))
            self.assertTrue(kernel.manager.is_alive())
            self.assertEqual(kernel.execute('двойное(1)')[1][0][1], 'Ошибка 11')
            self.assertEqual(kernel.execute('quit()')[1], [('stream', 'Bye\n')])
        finally:
            kernel.close()

    def test_heap_size_from_the_kernelspec_and_the_environment(self):
        add_kernelspec('jor-small', 1)
        statement = "n(k) = if k = 0 then '() else k : n(k - 1); length(l) = if null(l) then 0 else 1 + length(cdr(l)); length(n(200))"
        small = Kernel('jor-small')
        try:
            shown = small.execute(statement)[1]
            self.assertEqual(shown[-1], error(9, '-> Таблица mem переполнилась'))
        finally:
            small.close()
        large = Kernel('jor-small', env={'JOR_HEAP': '500'})
        try:
            self.assertEqual(large.execute(statement)[1][-1], ('result', '200'))
        finally:
            large.close()


def cell_outputs(cell):
    """What a cell shows, as the console would print it."""
    text = ''
    for output in cell.outputs:
        if output.output_type == 'stream':
            text += output.text
        elif output.output_type == 'execute_result':
            text += output.data['text/plain'] + '\n'
        else:
            text += ''.join(line + '\n' for line in output.traceback)
    return text


def console_transcript(cells, folder):
    """The console's output for the same statements typed at the keyboard,
    without the banner and the prompts. A line with ";" after each cell ends
    its last statement, as the end of the cell does."""
    keyboard = ''.join(cell + '\n;\n' for cell in cells)
    run = subprocess.run([str(PREFIX / 'bin' / 'jor')], input=keyboard.encode(), cwd=folder,
                         stdout=subprocess.PIPE, timeout=TIMEOUT, check=True,
                         env={**os.environ, 'LANG': 'C.UTF-8', 'LC_ALL': ''})
    text = run.stdout.decode().split('\n', 2)[2]
    return re.sub(r'^(> )+', '', text, flags=re.MULTILINE)


class NotebookTest(unittest.TestCase):
    def test_notebooks_run_and_equal_the_console(self):
        examples = SOURCE / 'examples'
        notebooks = sorted(examples.glob('*.ipynb'))
        self.assertGreaterEqual(len(notebooks), 2)
        for path in notebooks:
            with self.subTest(notebook=path.name):
                executed = PREFIX / 'executed'
                subprocess.run([JUPYTER, 'nbconvert', '--to', 'notebook', '--execute', '--output-dir', str(executed),
                                str(path)], check=True, timeout=120, stderr=subprocess.DEVNULL)
                ran = nbformat.read(str(executed / path.name), as_version=4)
                code = [cell for cell in ran.cells if cell.cell_type == 'code']
                self.assertEqual(''.join(map(cell_outputs, code)),
                                 console_transcript([cell.source for cell in code], examples))
                # The notebook as committed shows what it shows when run.
                committed = [cell for cell in nbformat.read(str(path), as_version=4).cells if cell.cell_type == 'code']
                self.assertEqual(list(map(cell_outputs, committed)), list(map(cell_outputs, code)))


if __name__ == '__main__':
    install()
    try:
        outcome = unittest.main(argv=sys.argv[:1], exit=False, verbosity=2).result
    finally:
        shutil.rmtree(PREFIX, ignore_errors=True)
    sys.exit(0 if outcome.wasSuccessful() else 1)
