#!/bin/sh
# Runs the Windows build's tests (ctest in the given build folder) under Wine,
# headless (tools/headless-wine.sh gives them a display and a prefix).
set -eu
build=$1

. "$(dirname "$0")/headless-wine.sh"

ctest --test-dir "$build" --output-on-failure
