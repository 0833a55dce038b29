#!/bin/sh
# Starts the calculator under Wine (on Windows, just run build/orvanta.exe).
set -eu
exe=${1:-build/orvanta.exe}

if [ ! -f "$exe" ]; then
    echo "make run: $exe does not exist; build it first (make)." >&2
    exit 1
fi
if ! command -v wine >/dev/null 2>&1; then
    echo "make run: wine is not installed (tools/install-deps.sh installs it)." >&2
    exit 1
fi
if [ -z "${DISPLAY:-}" ]; then
    echo "make run: no display (DISPLAY is not set), so there is nowhere to show the calculator." >&2
    echo "Run it from a graphical session, or try it headless: xvfb-run -a make run" >&2
    exit 1
fi
if ! xdotool getdisplaygeometry >/dev/null 2>&1; then
    echo "make run: cannot open the display $DISPLAY (no X server answers there, or access is refused)." >&2
    echo "Run it from a graphical session, or try it headless: xvfb-run -a make run" >&2
    exit 1
fi
export WINEDEBUG=${WINEDEBUG:--all}
exec wine "$exe"
