#!/bin/sh
# make bench: times the calculator against its floors and peers and writes
# build/bench/report.md and build/bench/latency.png (the Makefile builds the
# bench programs first). Run from the top of the source tree.
set -eu

# Everything on one CPU: a call into the Wine server is then a switch between
# two processes on that CPU, like a system call, rather than the wake-up of
# another CPU, whose cost varies several-fold (most on a virtual machine)
# with where the scheduler happens to put the two.
if [ -z "${ORVANTA_BENCH_PINNED:-}" ] && command -v taskset >/dev/null 2>&1; then
    ORVANTA_BENCH_PINNED=1 exec taskset -c "$(($(nproc) - 1))" "$0" "$@"
fi

out=build/bench
starts=${ORVANTA_BENCH_STARTS:-30}
mkdir -p "$out"
rm -f "$out"/*.csv

# The core natively: the tape handlers and the amount operations, then the
# tape driver on standard input, its peer.
build/native/bench/core_bench >"$out/core.csv"
/usr/bin/python3 -c '
import sys
line = "12.34+567*89%=-1/3=bc" * 40 + "\n"
sys.stdout.write(line * 5000)' >"$out/driver-input.txt"
keys=$(($(head -n1 "$out/driver-input.txt" | tr -d '\n' | wc -c) * 5000))
begin=$(date +%s%N)
build/orvanta-tape <"$out/driver-input.txt" >/dev/null
end=$(date +%s%N)
echo "tape driver on standard input,$((keys * 1000000000 / (end - begin)))" >>"$out/core.csv"
rm -f "$out/driver-input.txt"

# The windows under Wine, headless: the 32-bit build where this host runs
# 32-bit code, else the x86-64 one (tools/wine-host.sh decides).
tools=tools
. tools/headless-wine.sh
if [ "$ORVANTA_WINE" = 32 ]; then bench=build/win/app/ui_bench.exe; else bench=build/win64/app/ui_bench.exe; fi
echo "$(wine --version), $ORVANTA_WINE-bit ($WINELOADER; $ORVANTA_WINE_WHY)" >"$out/wine-version.txt"
echo "make bench: key presses under Wine (about a minute and a half)..." >&2
wine "$bench" keys >"$out/keys.csv"
wine "$bench" tape-window >>"$out/keys.csv"
# The same at twice the scale: the prefix's display at 192 DPI, the floor
# doing the same screen work at that factor. Back to 96 for the starts.
echo "make bench: key presses at 192 DPI (factor 2)..." >&2
set_wine_dpi 192
wine "$bench" keys >>"$out/keys.csv"
wine "$bench" tape-window >>"$out/keys.csv"
set_wine_dpi 96
echo "make bench: a paste of the longest text..." >&2
wine "$bench" paste >"$out/paste.csv"
echo "make bench: $starts starts of each..." >&2
i=0
while [ "$i" -lt "$starts" ]; do
    # who starts first alternates
    if [ $((i % 2)) = 0 ]; then order="calc floor"; else order="floor calc"; fi
    for subject in $order; do
        wine "$bench" startup "$subject"
    done
    i=$((i + 1))
done >"$out/startup.csv"

/usr/bin/python3 -B bench/report.py "$out" "$ORVANTA_EXE"
