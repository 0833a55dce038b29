#!/usr/bin/python3
"""Drawing the artwork again from the same sources gives the same bytes as
the build's copy, which the program was compiled from.

usage: art_reproducible_test.py SOURCE_ROOT ART_DIR
"""

import filecmp
import os
import subprocess
import sys
import tempfile

ROOT, ART_DIR = sys.argv[1], sys.argv[2]
GENERATOR = os.path.join(ROOT, 'res', 'art', 'make_art.py')


def main():
    with tempfile.TemporaryDirectory() as fresh:
        # another hash seed, so that nothing may hang on set or dict order
        env = dict(os.environ, PYTHONHASHSEED='4021')
        subprocess.run([sys.executable, '-B', GENERATOR, ROOT, fresh], env=env, check=True)
        names = sorted(os.listdir(fresh))
        built = sorted(n for n in os.listdir(ART_DIR) if not n.endswith('.tmp'))
        _, mismatch, errors = filecmp.cmpfiles(fresh, ART_DIR, names, shallow=False)
        failures = ['differs: ' + n for n in mismatch] + ['missing: ' + n for n in errors]
        if names != built:
            failures.append('file lists differ: %s' % sorted(set(names) ^ set(built)))
    for f in failures:
        print('%s:%d: %s' % (__file__, 0, f))
    print('%d files compared, %d failures' % (len(names), len(failures)))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
