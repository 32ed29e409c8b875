#!/usr/bin/python3
"""Kill trials: the game is killed with SIGKILL at random moments while it writes, and what it
leaves behind is checked.

  (a) import   the real `brimora` imports a new catalog KAT001 of 2,000 questions with memos
               (offscreen, BRIMORA_ANSWERS=ja accepts the offer); after the kill the game is
               started once more (BRIMORA_ANSWERS=nein) so its start-up recovery runs
  (b) score    brimora-faultdriver runs the game's own code in its process and enters results
               into the high score list, one after the other
  (c) nullsc   the same, emptying the high score list again and again
  (d) settings the same, changing the sound (standard.cfg) and the window size (screen.xpf)

After every kill: every table opens in the game's table engine (brimora-faultdriver check) and in
python3-dbfread, its file size fits its record count, every settings file parses and holds an old or
a new value, and after an import the main catalog and the topic counts hold none or all of the new
questions, each exactly once.

An append writes the record with the end mark behind it, then the header's count: a kill between
the two leaves one complete record that the header does not count yet. Our engine reads the count,
python3-dbfread reads on to the end mark; such tables are counted as "append in flight", not as a
mismatch, and the next start's recovery takes the record back. No order of two writes avoids it.

  tests/faults/killtrials.py [--build build/test] [--trials 100] [--only import,score,nullsc,settings]
"""
import argparse
import json
import os
import random
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
from collections import Counter
from pathlib import Path

import dbfread

NEW_QUESTIONS = 2000
MARK = 'Prüffrage '
NEW_TOPIC = 'Prüfgebiet'
ENV = dict(os.environ, QT_QPA_PLATFORM='offscreen', QT_ASSUME_STDERR_HAS_CONSOLE='1')
ENV.pop('BRIMORA_ANSWERS', None)


class Figures:
    """What the trials found, counted per operation."""

    NAMES = ['trials', 'tables failing to open', 'record-count mismatches',
             'append in flight (one record not yet counted)', 'half-written settings files',
             'questions duplicated or lost', 'left-over temporary files', 'messages shown']

    def __init__(self):
        self.counts = {}
        self.notes = []

    def add(self, operation, name, amount=1):
        self.counts.setdefault(operation, Counter())[name] += amount

    def note(self, operation, trial, text):
        self.notes.append(f'{operation} #{trial}: {text}')
        print(f'  ! {operation} #{trial}: {text}', flush=True)

    def failed(self):
        return any(c[name] for c in self.counts.values() for name in self.NAMES[1:3] + self.NAMES[4:6])

    def print(self):
        operations = list(self.counts)
        print()
        print('%-48s' % 'figure' + ''.join('%10s' % o for o in operations))
        for name in self.NAMES:
            print('%-48s' % name + ''.join('%10d' % self.counts[o][name] for o in operations))


def wait_for(path, text, process, timeout):
    """Waits until the file holds text; False when the process ended first or time ran out."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if text in path.read_text(encoding='utf-8', errors='replace'):
            return True
        if process.poll() is not None:
            return text in path.read_text(encoding='utf-8', errors='replace')
        time.sleep(0.005)
    return False


def kill(process):
    if process.poll() is None:
        process.send_signal(signal.SIGKILL)
    process.wait()


def start(program, args, cwd, log, answers=None):
    env = dict(ENV)
    if answers is not None:
        env['BRIMORA_ANSWERS'] = answers
    with open(log, 'wb') as out:
        return subprocess.Popen([str(program)] + args, cwd=cwd, env=env, stdout=out, stderr=subprocess.STDOUT)


def table_size_fault(path):
    """None when the file size fits the header's record count; 'in flight' when one more record
    (with its end mark) was written but not yet counted; otherwise the fault."""
    data = path.read_bytes()
    if len(data) < 32:
        return 'shorter than a header'
    count, header, length = struct.unpack('<IHH', data[4:12])
    expected = header + count * length
    if len(data) == expected + 1 and data[-1] == 0x1A:
        return None
    if len(data) == expected + length + 1 and data[-1] == 0x1A:
        return 'in flight'
    return f'{len(data)} bytes for {count} records of {length} bytes after a {header}-byte header'


def read_table(path):
    """Every record as python3-dbfread reads it; a table the game left locked (byte 0 = 1A) is read
    from a copy with its version byte back, as the game itself does before opening it."""
    data = path.read_bytes()
    if data[:1] != b'\x1a':
        return list(dbfread.DBF(str(path), encoding='cp850', load=True, char_decode_errors='strict'))
    with tempfile.TemporaryDirectory() as copy:
        memo = [p for p in path.parent.iterdir() if p.name.upper() == path.stem.upper() + '.DBT']
        if memo:
            shutil.copy(memo[0], Path(copy) / (path.stem + '.DBT'))
        table = Path(copy) / path.name
        table.write_bytes((b'\x83' if memo else b'\x03') + data[1:])
        return list(dbfread.DBF(str(table), encoding='cp850', load=True, char_decode_errors='strict'))


def check_dir(driver, directory, operation, trial, figures, temporary_names):
    """Checks every table and settings file; returns the dbfread records of each table."""
    result = subprocess.run([str(driver), 'check', str(directory)], env=ENV, capture_output=True, text=True,
                            timeout=120)
    engine = {}
    settings = {}
    for line in result.stdout.splitlines():
        kind, name, rest = (line.split(' ', 2) + [''])[:3]
        if kind == 'table':
            engine[name] = int(rest)
        elif kind == 'table-error':
            figures.add(operation, 'tables failing to open')
            figures.note(operation, trial, f'{name} does not open in the engine: {rest}')
        elif kind == 'settings':
            settings[name.lower()] = json.loads(rest)
        elif kind == 'settings-error':
            figures.add(operation, 'half-written settings files')
            figures.note(operation, trial, f'{name}: {rest}')
    if result.returncode not in (0, 1):
        figures.add(operation, 'tables failing to open')
        figures.note(operation, trial, f'checker ended with {result.returncode}: {result.stderr.strip()}')

    tables = {}
    for path in sorted(directory.iterdir()):
        if path.suffix.upper() != '.QUZ':
            continue
        fault = table_size_fault(path)
        if fault == 'in flight':
            figures.add(operation, 'append in flight (one record not yet counted)')
        elif fault:
            figures.add(operation, 'record-count mismatches')
            figures.note(operation, trial, f'{path.name}: {fault}')
        try:
            records = read_table(path)
            # dbfread reads on to the end mark, so it also reads the record in flight.
            in_flight = 1 if fault == 'in flight' else 0
            if path.name in engine and len(records) != engine[path.name] + in_flight:
                figures.add(operation, 'record-count mismatches')
                figures.note(operation, trial, f'{path.name}: dbfread {len(records)}, engine {engine[path.name]}')
            tables[path.name.upper()] = records[:len(records) - in_flight]
        except Exception as error:  # dbfread raises many kinds
            figures.add(operation, 'tables failing to open')
            figures.note(operation, trial, f'{path.name} does not open in dbfread: {error!r}')

    for name, variable, allowed in (('standard.cfg', 'musik', {1, 2, 3}), ('screen.xpf', 'screen', {1.3, 1.4})):
        if (directory / name).exists() and settings.get(name, {}).get(variable) not in allowed:
            figures.add(operation, 'half-written settings files')
            figures.note(operation, trial, f'{name} holds {settings.get(name)}')
    leftovers = [p.name for p in directory.iterdir() if p.name not in temporary_names and '.' in p.name
                 and p.suffix.upper() not in ('.QUZ', '.DBT', '.QUI', '.CFG', '.XPF', '.WAV', '.LOCK', '.BAK')]
    if leftovers:
        figures.add(operation, 'left-over temporary files', len(leftovers))
        figures.note(operation, trial, 'left behind: ' + ', '.join(leftovers))
        temporary_names.update(leftovers)
    return tables, settings


def new_catalog_source(path, topics):
    """2,000 questions, each marked with its number, over the demo's topics and one new topic."""
    info = ('Zusatzinformation zur Prüffrage: ein langer Text, der über mehr als einen Block der Memo-Datei '
            'reicht, damit auch die Memo-Datei beim Abbruch mitten im Schreiben ist. ') * 5
    blocks = []
    for n in range(1, NEW_QUESTIONS + 1):
        topic = NEW_TOPIC if n % 4 == 0 else topics[n % len(topics)]
        blocks.append('\n'.join([
            f'gebiet: {topic}', 'stufe: 1', f'fr1: {MARK}{n:04d}', 'fr2: zum Abbruch mitten im Einspielen?',
            'ar11: richtig', 'ar12:', 'af21: falsch eins', 'af22:', 'af31: falsch zwei', 'af32:',
            'af41: falsch drei', 'af42:', f'info: {info}{n}']))
    path.write_text('\n\n'.join(blocks) + '\n', encoding='utf-8')


def marked_questions(records):
    return Counter(r['FR1'].strip() for r in records if r['FR1'].startswith(MARK))


def topic_counts(records):
    return {r['NAME'].strip(): int(r['ANZ'] or 0) for r in records}


def check_import(tables, settings, template, trial, figures):
    """None or all of the new questions, each once, with topic counts and katnr to match."""
    questions = marked_questions(tables.get('QUIZ.QUZ', []))
    before = template['topics']
    after = topic_counts(tables.get('GEBIET.QUZ', []))
    names = [r['NAME'].strip() for r in tables.get('GEBIET.QUZ', [])]
    imported = bool(questions)
    expected = dict(before)
    if imported:
        for topic, count in template['new per topic'].items():
            expected[topic] = expected.get(topic, 0) + count
    faults = []
    if imported and (len(questions) != NEW_QUESTIONS or set(questions.values()) != {1}):
        faults.append(f'{len(questions)} different new questions, counts {sorted(set(questions.values()))}')
    if len(tables.get('QUIZ.QUZ', [])) != template['questions'] + (NEW_QUESTIONS if imported else 0):
        faults.append(f'{len(tables.get("QUIZ.QUZ", []))} questions in the main catalog')
    if after != expected or len(names) != len(set(names)):
        faults.append(f'topic counts {after} instead of {expected}')
    katnr = settings.get('katalog.xpf', {}).get('katnr', [])
    if (1 in (katnr if isinstance(katnr, list) else [katnr])) != imported:
        faults.append(f'katnr {katnr} does not match {"all" if imported else "none"} imported')
    if faults:
        figures.add('import', 'questions duplicated or lost')
        figures.note('import', trial, '; '.join(faults))
    return imported


def read_template(directory):
    quiz = list(dbfread.DBF(str(directory / 'QUIZ.QUZ'), encoding='cp850', load=True))
    topics = list(dbfread.DBF(str(directory / 'GEBIET.QUZ'), encoding='cp850', load=True))
    return quiz, topics


def unlocked_copy(source, target):
    """The demo data as the game leaves it: tables locked (byte 0 = 1A); dbfread needs them open."""
    shutil.copytree(source, target)
    for path in target.iterdir():
        if path.suffix.upper() == '.QUZ':
            data = bytearray(path.read_bytes())
            if data[0] == 0x1A:
                memo = any(p.name.upper() == path.stem.upper() + '.DBT' for p in target.iterdir())
                data[0] = 0x83 if memo else 0x03
                path.write_bytes(bytes(data))


def import_trials(args, work, figures):
    template_dir = work / 'import-template'
    unlocked_copy(args.build / 'demo-data', template_dir)
    quiz, topics = read_template(template_dir)
    demo_topics = [r['NAME'].strip() for r in topics]
    source = work / 'kat001.txt'
    new_catalog_source(source, demo_topics)
    subprocess.run([str(args.katalog), 'build', str(source), str(template_dir), '--name', 'KAT001'], check=True,
                   env=ENV, stdout=subprocess.DEVNULL)
    per_topic = Counter(NEW_TOPIC if n % 4 == 0 else demo_topics[n % len(demo_topics)]
                        for n in range(1, NEW_QUESTIONS + 1))
    template = {'questions': len(quiz), 'topics': topic_counts(topics), 'new per topic': per_topic}

    # One whole import, to learn how long it takes.
    data = work / 'import'
    shutil.copytree(template_dir, data)
    log = work / 'import.log'
    game = start(args.game, [], data, log, answers='ja')
    began = time.monotonic()
    if not wait_for(log, 'übernehmen ?', game, 120):
        sys.exit(f'the game did not offer the new catalog:\n{log.read_text(errors="replace")}')
    offered = time.monotonic()
    if not wait_for(log, 'Brimora 2.0: Daten in', game, 300):
        sys.exit(f'the import did not finish:\n{log.read_text(errors="replace")}')
    window = time.monotonic() - offered
    kill(game)
    print(f'import: start-up {offered - began:.2f} s, import {window:.2f} s; kills fall into the import', flush=True)

    temporary_names = set()
    imported_trials = 0
    for trial in range(1, args.trials + 1):
        shutil.rmtree(data)
        shutil.copytree(template_dir, data)
        game = start(args.game, [], data, log, answers='ja')
        if not wait_for(log, 'übernehmen ?', game, 120):
            figures.note('import', trial, 'no import offer: ' + log.read_text(errors='replace')[-500:])
            kill(game)
            continue
        time.sleep(random.uniform(0, window * 1.1))
        kill(game)
        figures.add('import', 'trials')
        check_dir(args.driver, data, 'import', trial, figures, temporary_names)

        # The next start runs the recovery; it declines any new offer, so only recovery acts.
        game = start(args.game, [], data, log, answers='nein')
        if not wait_for(log, 'Brimora 2.0: Daten in', game, 120):
            figures.add('import', 'tables failing to open')
            figures.note('import', trial, 'the next start did not come up: ' + log.read_text(errors='replace')[-500:])
        messages = [line for line in log.read_text(errors='replace').splitlines() if line.startswith('Hinweis:')]
        figures.add('import', 'messages shown', len(messages))
        kill(game)
        tables, settings = check_dir(args.driver, data, 'import', trial, figures, temporary_names)
        imported_trials += check_import(tables, settings, template, trial, figures)
        if trial % 10 == 0:
            print(f'import: {trial} trials, {imported_trials} with the whole catalog imported', flush=True)
    print(f'import: {imported_trials} of {args.trials} trials ended with all questions, the rest with none',
          flush=True)


def driver_trials(args, work, operation, figures):
    data = work / operation
    unlocked_copy(args.build / 'demo-data', data)
    log = work / f'{operation}.log'
    temporary_names = set()
    operations = 0
    for trial in range(1, args.trials + 1):
        driver = start(args.driver, [operation, str(data)], data, log)
        if not wait_for(log, 'bereit', driver, 60):
            figures.add(operation, 'tables failing to open')
            figures.note(operation, trial, 'the driver did not start: ' + log.read_text(errors='replace')[-500:])
            kill(driver)
            continue
        time.sleep(random.uniform(0, 0.6))
        kill(driver)
        text = log.read_text(errors='replace')
        lines = text.splitlines()
        done = [int(line) for line in lines if line.isdigit()]
        operations += done[-1] if done else 0
        figures.add(operation, 'messages shown', sum(1 for line in lines if line.startswith('Hinweis:')))
        figures.add(operation, 'trials')
        tables, _ = check_dir(args.driver, data, operation, trial, figures, temporary_names)
        if operation != 'settings' and len(tables.get('HIGHSCOR.QUZ', [])) == 0:
            figures.add(operation, 'record-count mismatches')
            figures.note(operation, trial, 'the high score table lost its records')
    print(f'{operation}: {args.trials} trials, {operations} operations finished before the kills', flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('--build', default='build/test', type=Path)
    parser.add_argument('--trials', default=100, type=int)
    parser.add_argument('--only', default='import,score,nullsc,settings')
    parser.add_argument('--seed', default=None, type=int)
    args = parser.parse_args()
    args.build = args.build.resolve()
    args.game = args.build / 'src' / 'brimora'
    args.katalog = args.build / 'tools' / 'brimora-katalog'
    args.driver = args.build / 'tests' / 'brimora-faultdriver'
    for program in (args.game, args.katalog, args.driver):
        if not program.exists():
            sys.exit(f'{program} is missing: cmake --build {args.build} --target brimora brimora-katalog '
                     f'brimora-faultdriver demo-data')
    seed = args.seed if args.seed is not None else random.randrange(1 << 30)
    random.seed(seed)
    print(f'kill trials, seed {seed}', flush=True)

    figures = Figures()
    began = time.monotonic()
    with tempfile.TemporaryDirectory(prefix='brimora-kill-') as scratch:
        work = Path(scratch)
        for operation in args.only.split(','):
            if operation == 'import':
                import_trials(args, work, figures)
            else:
                driver_trials(args, work, operation, figures)
    figures.print()
    print(f'\n{time.monotonic() - began:.0f} s')
    return 1 if figures.failed() else 0


if __name__ == '__main__':
    sys.exit(main())
