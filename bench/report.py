#!/usr/bin/python3
"""Turns the samples of make bench into a table (printed, and written with the
machine, the Wine version and the date to report.md) and a chart of the
latency distributions (latency.png).

usage: report.py OUT_DIR PROGRAM.exe

OUT_DIR holds keys.csv, paste.csv and startup.csv (what,tape,key,subject,
microseconds from ui_bench), core.csv (figure,per second) and wine-version.txt.
"""

import csv
import datetime
import os
import platform
import sys

import matplotlib
matplotlib.use('Agg')
import matplotlib.pyplot as plt  # noqa: E402
import pefile  # noqa: E402

OUT, PROGRAM = sys.argv[1], sys.argv[2]
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, 'res', 'art'))
import project  # noqa: E402  (the shared tables' reader)

# A key's median against the floor's median, its p99 against the floor's
# p99: on a busy host the floor's own tail is several times its median.
KEY_RATIO, KEY_P99_RATIO = 1.5, 1.5
KEY_AIM = 1.2  # the median ratio aimed at; rows above it are marked
STARTUP_RATIO = 1.2
SIZE_LIMIT = 262144  # 256 KiB
CORE_KEYS_PER_SECOND = 5_000_000
PASTE_RATIO, PASTE_MS = 10, 50  # of the core pressing the same keys; at most
TAPES = ('empty', 'full')
RT_BITMAP = 2
# The pause a typed key shows pressed (app/shell.h), left out of its timing.
with open(os.path.join(ROOT, 'app', 'shell.h'), encoding='utf-8') as f:
    KEY_PRESS_DELAY_MS = project.parse_enum_items(f.read())['KEY_PRESS_DELAY_MS']


def percentile(values, p):
    """Nearest rank."""
    ordered = sorted(values)
    rank = max(1, -(-len(ordered) * p // 100))
    return ordered[int(rank) - 1]


def median(values):
    ordered = sorted(values)
    n = len(ordered)
    return (ordered[(n - 1) // 2] + ordered[n // 2]) / 2


def read_samples(name):
    """{(what, tape, key, subject): [microseconds, ...]} in recorded order."""
    samples = {}
    with open(os.path.join(OUT, name), newline='') as f:
        for row in csv.reader(line.strip() for line in f):
            if len(row) == 5:
                samples.setdefault(tuple(row[:4]), []).append(float(row[4]))
    return samples


def key_kinds(samples, what):
    seen = []
    for w, _, key, _ in samples:
        if w == what and key not in seen:
            seen.append(key)
    return seen


class Table:
    def __init__(self, title, header):
        self.title, self.header, self.rows = title, header, []

    def add(self, *cells):
        self.rows.append([str(c) for c in cells])

    def markdown(self):
        lines = ['### ' + self.title, '', '| ' + ' | '.join(self.header) + ' |',
                 '|' + '---|' * len(self.header)]
        lines += ['| ' + ' | '.join(r) + ' |' for r in self.rows]
        return '\n'.join(lines) + '\n'


TARGETS = []  # (what, met)
OVER_AIM = []  # the key rows whose median ratio is above KEY_AIM


def verdict(what, met):
    TARGETS.append((what, met))
    return 'yes' if met else '**no**'


def us(v):
    return f'{v:.0f}'


def tapes_of(samples):
    """empty and full, then the same at another factor where the run has them
    ('empty at 2x'), in the order they first appear."""
    found = []
    for (_, tape, _, _) in samples:
        if tape and tape not in found:
            found.append(tape)
    return [t for t in TAPES if t in found] + [t for t in found if t not in TAPES]


def latency_table(samples, what, title, short, pairs):
    """One row per tape and kind of key: the calculator's median, p90 and p99
    beside the floor's median. pairs: time down and up together."""
    header = ['tape', 'key']
    if pairs:
        header += ['down calc / floor', 'up calc / floor']
    header += ['calc median', 'p90', 'p99', 'floor median', 'floor p99',
               f'median ratio (≤ {KEY_RATIO})', f'p99 ÷ floor p99 (≤ {KEY_P99_RATIO})', 'met',
               f'over {KEY_AIM}']
    table = Table(title, header)
    chart = []
    for tape in tapes_of(samples):
        for key in key_kinds(samples, 'down' if pairs else what):
            def total(subject):
                if pairs:
                    down = samples[('down', tape, key, subject)]
                    up = samples[('up', tape, key, subject)]
                    return [d + u for d, u in zip(down, up)]
                return samples[(what, tape, key, subject)]
            calc, floor = total('calc'), total('floor')
            ratio = median(calc) / median(floor)
            p99_ratio = percentile(calc, 99) / percentile(floor, 99)
            cells = [tape, key]
            if pairs:
                cells += [f"{us(median(samples[('down', tape, key, 'calc')]))} / "
                          f"{us(median(samples[('down', tape, key, 'floor')]))}",
                          f"{us(median(samples[('up', tape, key, 'calc')]))} / "
                          f"{us(median(samples[('up', tape, key, 'floor')]))}"]
            met = ratio <= KEY_RATIO and p99_ratio <= KEY_P99_RATIO
            row = f'{short}, {tape} tape, {key}'
            over = ratio > KEY_AIM
            if over:
                OVER_AIM.append(f'{row} ({ratio:.2f})')
            cells += [us(median(calc)), us(percentile(calc, 90)), us(percentile(calc, 99)),
                      us(median(floor)), us(percentile(floor, 99)), f'{ratio:.2f}', f'{p99_ratio:.2f}',
                      verdict(row, met), '**over**' if over else '']
            table.add(*cells)
            chart.append((f'{key}\n{tape}', calc, floor))
    return table, chart


def startup_table(samples):
    calc = [v / 1000 for v in samples[('start-up', '', '', 'calc')]]
    floor = [v / 1000 for v in samples[('start-up', '', '', 'floor')]]
    table = Table('Start-up to the first complete paint (ms, one start per process)',
                  ['starts', 'calc median', 'p90', 'floor median', 'p90',
                   f'median ratio (≤ {STARTUP_RATIO})', 'met'])
    ratio = median(calc) / median(floor)
    table.add(len(calc), f'{median(calc):.1f}', f'{percentile(calc, 90):.1f}',
              f'{median(floor):.1f}', f'{percentile(floor, 90):.1f}', f'{ratio:.2f}',
              verdict('start-up', ratio <= STARTUP_RATIO))
    return table, [('start-up', calc, floor)]


def core_rates():
    rates = {}
    with open(os.path.join(OUT, 'core.csv')) as f:
        for row in csv.reader(f):
            if len(row) == 2:
                rates[row[0]] = float(row[1])
    return rates


def paste_table(samples):
    """The window's paste against the core pressing the same keys natively."""
    core_ms = 1000 / core_rates()['paste keys pressed']
    table = Table('A paste of the longest text, from the command to the LCD repainted (ms)',
                  ['text', 'pastes', 'calc median', 'p90', 'core natively (best)',
                   f'ratio (≤ {PASTE_RATIO})', f'under {PASTE_MS} ms', 'met'])
    for (what, _, text, _), values in samples.items():
        calc = [v / 1000 for v in values]
        ratio = median(calc) / core_ms
        table.add(text, len(calc), f'{median(calc):.1f}', f'{percentile(calc, 90):.1f}',
                  f'{core_ms:.2f}', f'{ratio:.1f}', 'yes' if median(calc) < PASTE_MS else 'no',
                  verdict(f'paste of {text}', ratio <= PASTE_RATIO and median(calc) < PASTE_MS))
    return table


def core_table():
    rates = core_rates()
    rates.pop('paste keys pressed')
    table = Table('The core, natively (per second, the best of five runs)',
                  ['figure', 'per second', 'beside it', 'met'])
    keys = rates.pop('keys through the tape handlers')
    driver = rates.pop('tape driver on standard input')
    table.add('keys through the tape handlers', f'{keys:,.0f}', f'target {CORE_KEYS_PER_SECOND:,}',
              verdict('core keys per second', keys >= CORE_KEYS_PER_SECOND))
    table.add('tape driver on standard input', f'{driver:,.0f}', 'peer: the same handlers, '
              'with parsing and a process', '')
    floor = rates.pop('amount integer text round trip')
    for name, rate in rates.items():
        table.add(name, f'{rate:,.0f}', f'floor: 64-bit text round trip {floor:,.0f}', '')
    return table


def size_table():
    pe = pefile.PE(PROGRAM, fast_load=True)
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY['IMAGE_DIRECTORY_ENTRY_RESOURCE']])
    bitmaps = other = bitmap_count = 0
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for name in kind.directory.entries:
            for leaf in name.directory.entries:
                if kind.id == RT_BITMAP:
                    bitmaps += leaf.data.struct.Size
                    bitmap_count += 1
                else:
                    other += leaf.data.struct.Size
    code = sum(s.SizeOfRawData for s in pe.sections if s.Name.rstrip(b'\0') == b'.text')
    total = os.path.getsize(PROGRAM)
    rest = total - bitmaps - other - code
    table = Table('The program', ['part', 'bytes', 'share'])
    for part, size in ((f'bitmaps ({bitmap_count}, uncompressed, BI_RGB)', bitmaps),
                       ('other resources (cursor, icon, strings, dialog, version)', other),
                       ('code (.text)', code),
                       ('the rest (headers, data, imports, resource directory, padding)', rest)):
        table.add(part, f'{size:,}', f'{100 * size / total:.1f} %')
    table.add(f'**total** (limit {SIZE_LIMIT:,}, one file)', f'**{total:,}**',
              verdict('program size', total <= SIZE_LIMIT))
    return table


def draw_chart(panels):
    fig, axes = plt.subplots(len(panels), 1, figsize=(13, 4.2 * len(panels)),
                             gridspec_kw={'height_ratios': [1] * (len(panels) - 1) + [0.7]})
    for ax, (title, unit, groups) in zip(axes, panels):
        data, positions, labels = [], [], []
        for i, (label, calc, floor) in enumerate(groups):
            data += [calc, floor]
            positions += [3 * i + 0.6, 3 * i + 1.4]
            labels.append((3 * i + 1, label))
        parts = ax.boxplot(data, positions=positions, widths=0.7, whis=(1, 99), showfliers=False,
                           patch_artist=True)
        for j, box in enumerate(parts['boxes']):
            box.set_facecolor('#4a86c5' if j % 2 == 0 else '#c8c8c8')
        ax.set_xlim(-0.4, 3 * (len(groups) - 1) + 2.4)
        ax.set_xticks([p for p, _ in labels])
        ax.set_xticklabels([name for _, name in labels], fontsize=8)
        ax.set_ylabel(unit)
        ax.set_title(title + '  (blue: calculator, grey: floor; box 25-75 %, whiskers 1-99 %)',
                     fontsize=10)
        ax.set_ylim(bottom=0)
        ax.grid(axis='y', alpha=0.3)
    fig.tight_layout()
    fig.savefig(os.path.join(OUT, 'latency.png'), dpi=90)


def machine():
    model = platform.processor() or platform.machine()
    try:
        with open('/proc/cpuinfo') as f:
            for line in f:
                if line.startswith('model name'):
                    model = line.split(':', 1)[1].strip()
                    break
    except OSError:
        pass
    memory = ''
    try:
        with open('/proc/meminfo') as f:
            kib = int(f.readline().split()[1])
            memory = f', {kib / 1024 / 1024:.0f} GiB'
    except (OSError, ValueError, IndexError):
        pass
    return f'{model}, {os.cpu_count()} cores{memory}, {platform.system()} {platform.release()}'


def main():
    keys = read_samples('keys.csv')
    mouse, mouse_chart = latency_table(
        keys, 'down', 'A mouse key press: button down, then up (µs; down+up per sample)',
        'mouse key', True)
    keyboard, keyboard_chart = latency_table(
        keys, 'keyboard', 'A keyboard key, from WM_KEYDOWN to the LCD repainted, beyond its '
        f'{KEY_PRESS_DELAY_MS} ms pause (µs)', 'keyboard key', False)
    startup, startup_chart = startup_table(read_samples('startup.csv'))
    tables = [mouse, keyboard, startup, paste_table(read_samples('paste.csv')), core_table(),
              size_table()]
    missed = [what for what, met in TARGETS if not met]
    summary = ('All targets met.' if not missed else
               f'{len(missed)} of {len(TARGETS)} targets missed: ' + '; '.join(missed) + '.')
    aim = (f'Every key row within {KEY_AIM}x of its floor.' if not OVER_AIM else
           f'{len(OVER_AIM)} key row(s) over {KEY_AIM}x of the floor: ' + '; '.join(OVER_AIM) + '.')
    body = '\n'.join(t.markdown() for t in tables) + '\n' + summary + '\n\n' + aim + '\n'
    print(body)

    with open(os.path.join(OUT, 'wine-version.txt')) as f:
        wine = f.read().strip()
    now = datetime.datetime.now(datetime.timezone.utc).strftime('%Y-%m-%d %H:%M UTC')
    pinned = ', all on one CPU' if os.environ.get('ORVANTA_BENCH_PINNED') else ''
    with open(os.path.join(OUT, 'report.md'), 'w') as f:
        f.write('# make bench\n\n'
                f'- machine: {machine()}\n- program: {PROGRAM}\n- Wine: {wine}, headless in Xvfb{pinned}\n'
                f'- date: {now}\n\n'
                'Times are taken inside the process (QueryPerformanceCounter) with the\n'
                'calculator and its floor interleaved sample by sample. The floor is a bare\n'
                'window of the bench\'s own classes whose keys are bare push buttons: the same\n'
                'screen work (pressed image, one LCD picture, released image; for start-up the\n'
                'skin and the LCD) with bitmaps kept selected in memory contexts, and the mouse\n'
                'capture taken on the press and given up on the release (from the keyboard too).\n'
                'In the rows with the tape window, the floor has a bare window beside it too, in\n'
                'which each key draws one list line; a key that opens a line (operator, =, %)\n'
                'first moves that window\'s picture up a line, as a full tape moves every line.\n'
                'Before each sample the subject\'s LCD is painted through its own WM_PAINT, the\n'
                'same for both, so that both pay the same flushes of the window\'s surface.\n'
                f'A key\'s median is judged against the floor\'s median (≤ {KEY_RATIO}), its p99\n'
                f'against the floor\'s p99 (≤ {KEY_P99_RATIO}); rows over {KEY_AIM} are marked.\n\n'
                + body)
    draw_chart([('A mouse key press, down and up', 'µs', mouse_chart),
                ('A keyboard key, beyond its pause', 'µs', keyboard_chart),
                ('Start-up to the first complete paint', 'ms', startup_chart)])
    print(f'Written: {os.path.join(OUT, "report.md")}, {os.path.join(OUT, "latency.png")}')


if __name__ == '__main__':
    main()
