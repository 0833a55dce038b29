#!/usr/bin/python3
"""usage: entry_test.py PROGRAM.exe PROGRAM.map

The program starts at OrvantaStartup, without the C runtime's start-up code,
so nothing of it may rely on what that code does: no static constructors
(.ctors), no C initialisers or TLS callbacks (.CRT$X*), as the link map
shows them. The whole program is one file of at most 256 KiB."""

import os
import re
import sys

import pefile

PROGRAM, MAP = sys.argv[1], sys.argv[2]
SIZE_LIMIT = 262144
pe = pefile.PE(PROGRAM, fast_load=True)
entry = pe.OPTIONAL_HEADER.ImageBase + pe.OPTIONAL_HEADER.AddressOfEntryPoint
lines = open(MAP).read().splitlines()
failures = []

symbol = [int(m.group(1), 16) for m in
          (re.match(r'\s+0x([0-9a-f]+)\s+_?OrvantaStartup$', line) for line in lines) if m]
if symbol != [entry]:
    failures.append(f'entry {entry:#x}, OrvantaStartup at {[hex(s) for s in symbol]}')

# An input section placed with a size: " .ctors  0x... 0x4 x.a(y.o)", its name
# possibly on the line before.
section = None
for line in lines:
    name = re.match(r'\s(\.\S+)', line)
    section = name.group(1) if name else section
    m = re.match(r'\s*(\S+)?\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s+\S+\.(obj|o|a\(.*\))$', line)
    if m and int(m.group(2), 16) and section and section.startswith(('.ctor', '.CRT$X', '.init_array')):
        failures.append(f'{section} holds code the entry would skip: {line.strip()}')

if os.path.getsize(PROGRAM) > SIZE_LIMIT:
    failures.append(f'{os.path.getsize(PROGRAM):,} bytes, over {SIZE_LIMIT:,}')

# Only DLLs Windows never seeks beside the program (its known ones; the common controls, bound by the manifest).
SYSTEM_DLLS = {'kernel32.dll', 'user32.dll', 'gdi32.dll', 'comdlg32.dll', 'shell32.dll', 'msvcrt.dll', 'comctl32.dll'}
pe.parse_data_directories()
imported = {i.dll.decode().lower() for i in getattr(pe, 'DIRECTORY_ENTRY_IMPORT', [])}
if imported - SYSTEM_DLLS:
    failures.append(f'imports DLLs that may be looked for beside it: {sorted(imported - SYSTEM_DLLS)}')

for f in failures:
    print('FAIL:', f)
print(f'{PROGRAM}: entry {entry:#x}, {len(failures)} failure(s)')
sys.exit(1 if failures else 0)
