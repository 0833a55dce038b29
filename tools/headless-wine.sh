# Sourced by the scripts that run Windows programs headless (the Wine tests,
# the benchmark): one Xvfb display and one fresh Wine prefix for the whole
# run, both thrown away when the sourcing script exits. The Wine is the one
# this host runs (tools/wine-host.sh); the commands wine and wineserver name
# it for everything started from here, ctest's test programs included.
# The sourcing script sets tools to this folder.

. "$tools/wine-host.sh"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/orvanta-wine.XXXXXX")
export WINEPREFIX="$tmp/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" # no Mono or Gecko install dialogs
mkdir "$tmp/bin"
printf '#!/bin/sh\nexec "%s" "$@"\n' "$WINELOADER" >"$tmp/bin/wine"
printf '#!/bin/sh\nexec "%s" "$@"\n' "$WINESERVER" >"$tmp/bin/wineserver"
chmod +x "$tmp/bin/wine" "$tmp/bin/wineserver"
export PATH="$tmp/bin:$PATH"

cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT INT TERM

# Xvfb picks a free display itself and writes its number once it accepts
# connections, so parallel runs never share a display.
mkfifo "$tmp/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
n=$(timeout 20 head -n1 "$tmp/display" || true)
if [ -z "$n" ]; then echo "Xvfb did not start" >&2; cat "$tmp/xvfb.log" >&2; exit 1; fi
export DISPLAY=":$n"

wine wineboot -i >/dev/null 2>&1
wineserver -w
wineserver -p # keep one server for all the programs of the run
# The first program of a Wine session starts its helper processes (services,
# the desktop), which outlive it; start them here, away from the output pipes
# of what runs next, which they would otherwise hold open.
wine cmd /c exit >/dev/null 2>&1 </dev/null
