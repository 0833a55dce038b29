#!/bin/sh
# Starts the calculator under Wine (on Windows, just run build/orvanta.exe):
# the 32-bit program where this host runs 32-bit code, else the x86-64 one
# (tools/wine-host.sh decides; ORVANTA_WINE=64 forces the latter). A program
# named as the argument runs instead, under the same Wine.
set -eu
tools=$(dirname "$0")
. "$tools/wine-host.sh"
exe=${1:-$ORVANTA_EXE}

if [ ! -f "$exe" ]; then
    echo "make run: $exe does not exist; build it first (make)." >&2
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

# Unless told otherwise, a prefix of the project's own (made on the first run),
# so that the fonts set up below touch nobody's ~/.wine.
own_prefix=0
if [ -z "${WINEPREFIX:-}" ]; then
    own_prefix=1
    prefix=wine-prefix
    [ "$ORVANTA_WINE" = 64 ] && prefix=wine-prefix64
    export WINEPREFIX="$(cd "$tools/.." && pwd)/build/$prefix"
fi
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
if [ ! -d "$WINEPREFIX/drive_c" ]; then
    echo "make run: preparing the Wine prefix $WINEPREFIX (once)..." >&2
    "$WINELOADER" wineboot -i >/dev/null 2>&1
fi

# Hangul in every face the calculator's text asks for (tools/wine-host.sh).
install_korean_fonts || echo "make run: the Nanum fonts are missing: Hangul may show as boxes (tools/install-deps.sh installs them)." >&2

# ORVANTA_DPI=144 (or any DPI) shows the calculator at that display scale:
# the prefix's DPI, written only when it changes (each write starts Wine).
# Without it the project's own prefix goes back to 96; a prefix of the
# user's (WINEPREFIX) keeps whatever DPI it has.
dpi=${ORVANTA_DPI:-}
if [ -z "$dpi" ] && [ "$own_prefix" = 1 ]; then
    dpi=96
fi
case "$dpi" in
    *[!0-9]*)
        echo "make run: ORVANTA_DPI must be a number of dots per inch (96, 144, 192...), not '$dpi'." >&2
        exit 1 ;;
esac
if [ -n "$dpi" ] && [ "$(cat "$WINEPREFIX/.orvanta-dpi" 2>/dev/null || true)" != "$dpi" ]; then
    set_wine_dpi "$dpi" && echo "$dpi" >"$WINEPREFIX/.orvanta-dpi"
fi

echo "make run: $exe under $ORVANTA_WINE-bit Wine: $ORVANTA_WINE_WHY" >&2
exec "$WINELOADER" "$exe"
