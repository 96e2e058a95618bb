#!/usr/bin/env bash
# Runs the Windows tests under Wine inside a private Xvfb display.
# Wine's helper processes inherit stdout/stderr of the first Wine program, so the server is started
# persistent and detached from our pipes before CTest runs, every test has a time-out, and the server is
# killed afterwards. Arguments after the build folder go to CTest (e.g. -R script_name).
set -uo pipefail
BUILD="$(cd "$1" && pwd)"
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
if [ -z "${TRENMOOR_IN_XVFB:-}" ]; then
  export TRENMOOR_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$BUILD" "${@:2}"
fi
source "$ROOT/scripts/wine-env.sh"
mkdir -p "$BUILD/windows/screenshots"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
ctest --test-dir "$BUILD/windows" --timeout 900 --output-on-failure "${@:2}"
