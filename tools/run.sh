#!/bin/sh
# Starts the calculator under Wine (on Windows, just run build/orvanta.exe).
set -eu
exe=$1
if [ -z "${DISPLAY:-}" ]; then
    echo "make run: no display (DISPLAY is not set)." >&2
    echo "Run it from a graphical session, or try it headless: xvfb-run -a make run" >&2
    exit 1
fi
export WINEDEBUG=${WINEDEBUG:--all}
exec wine "$exe"
