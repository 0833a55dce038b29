#!/usr/bin/python3
"""Checks where the linked program starts and that it needs nothing that its
own entry skips.

usage: entry_test.py PROGRAM.exe PROGRAM.map

The program starts at OrvantaStartup, without the C runtime's start-up code,
so nothing of it may rely on what that code does: no static constructors
(the .ctors list), no C initialisers or TLS callbacks (.CRT$X*).
"""

import re
import sys

import pefile

PROGRAM, MAP = sys.argv[1], sys.argv[2]

failures = []
pe = pefile.PE(PROGRAM, fast_load=True)
entry = pe.OPTIONAL_HEADER.ImageBase + pe.OPTIONAL_HEADER.AddressOfEntryPoint
lines = open(MAP).read().splitlines()

# "                0x004016e0                OrvantaStartup" (a symbol line)
symbol = [int(m.group(1), 16) for m in
          (re.match(r'\s+0x([0-9a-f]+)\s+_?OrvantaStartup$', line) for line in lines) if m]
if symbol != [entry]:
    failures.append(f'entry {entry:#x}, OrvantaStartup at {[hex(s) for s in symbol]}')

# An input section placed in the program: " .ctors  0x... 0x8 file.obj" (its
# name may stand on the line before).
placed = re.compile(r'\s*(\S+)?\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s+\S+\.(obj|o|a\(.*\))$')
section = None
for line in lines:
    name = re.match(r'\s(\.\S+)', line)
    if name:
        section = name.group(1)
    m = placed.match(line)
    if m and int(m.group(2), 16) and section and (
            section.startswith('.ctors') or section.startswith('.ctor')
            or section.startswith('.CRT$X') or section.startswith('.init_array')):
        failures.append(f'{section} holds code the entry would skip: {line.strip()}')

for f in failures:
    print('FAIL:', f)
print(f'{PROGRAM}: entry {entry:#x}, {len(failures)} failure(s)')
sys.exit(1 if failures else 0)
