#!/bin/sh
# Runs the Windows tests under Wine, headless (tools/headless-wine.sh gives
# each build a display and a prefix of its own), for every build this host
# can run: the 32-bit build (build/win) under 32-bit Wine where the host runs
# 32-bit code, and the x86-64 build (build/win64) under 64-bit Wine always.
# ORVANTA_WINE=64 tests as a host without 32-bit code would. After the tests
# at the prefix's 96 DPI, scale_test runs again at 192 DPI, and hangul_test
# runs with the fonts of make run, in the C and a Korean locale. The builds are tested side by side: their tests
# mostly wait (for key pauses, for Wine).
set -eu
tools=$(dirname "$0")

. "$tools/wine-host.sh"
if [ "$ORVANTA_WINE" = 32 ]; then
    builds="32:build/win 64:build/win64"
else
    echo "wine-tests: the 32-bit build is not tested: $ORVANTA_WINE_WHY" >&2
    builds="64:build/win64"
fi

logs=$(mktemp -d "${TMPDIR:-/tmp}/orvanta-tests.XXXXXX")
trap 'rm -rf "$logs"' EXIT INT TERM
begin=$(date +%s)
for b in $builds; do
    bits=${b%%:*} build=${b#*:}
    (
        ORVANTA_WINE=$bits
        . "$tools/headless-wine.sh"
        ctest --test-dir "$build" --output-on-failure -LE korean
        # The face at twice the scale: the prefix's display at 192 DPI.
        set_wine_dpi 192
        ORVANTA_EXPECT_FACTOR=2 ctest --test-dir "$build" --output-on-failure -R '^scale_test$'
        # Hangul with the fonts of make run, here and in a Korean locale,
        # last: the locale changes the prefix's font settings. The host's C
        # library needs the locale; it is made here where the host lacks it.
        install_korean_fonts
        ctest --test-dir "$build" --output-on-failure -L korean
        if ! locale -a 2>/dev/null | grep -qix 'ko_KR.utf-\{0,1\}8'; then
            export LOCPATH="$tmp/locale"
            mkdir -p "$LOCPATH"
            localedef -i ko_KR -f UTF-8 "$LOCPATH/ko_KR.UTF-8"
        fi
        LANG=ko_KR.UTF-8 LC_ALL=ko_KR.UTF-8 ctest --test-dir "$build" --output-on-failure -L korean
    ) >"$logs/$bits" 2>&1 &
    echo "$!" >"$logs/$bits.pid"
done

failed=""
for b in $builds; do
    bits=${b%%:*} build=${b#*:}
    status=0
    wait "$(cat "$logs/$bits.pid")" || status=$?
    echo "=== $build under $bits-bit Wine ==="
    cat "$logs/$bits"
    if [ "$status" = 0 ]; then
        echo "wine-tests: $build passed ($(($(date +%s) - begin)) s)"
    else
        echo "wine-tests: $build FAILED"
        failed="$failed $build"
    fi
done
[ -z "$failed" ]
