#!/usr/bin/env bash
# Every test: the native tree (sanitizers on), then the Windows tree under Wine inside Xvfb.
# Fails when any test fails; never waits for Wine's helper processes (see run-wine-tests.sh).
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$(mkdir -p "${1:-$ROOT/build}" && cd "${1:-$ROOT/build}" && pwd)"
cd "$ROOT"
start=$(date +%s)
status=0
make --no-print-directory BUILD="$BUILD" test-native || status=1
make --no-print-directory BUILD="$BUILD" test-windows || status=1
echo "Test run took $(( $(date +%s) - start )) s"
if [ $status -ne 0 ]; then echo "SOME TESTS FAILED"; else echo "ALL TESTS PASSED"; fi
exit $status
