#!/usr/bin/env bash
# Builds and starts Trenmoor.exe under Wine. Without a display it runs inside Xvfb, saves a screenshot
# to <build>/screenshots/run.png and closes the program.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$(mkdir -p "${1:-$ROOT/build}" && cd "${1:-$ROOT/build}" && pwd)"
cd "$ROOT"
make --no-print-directory BUILD="$BUILD" windows prefix
source "$ROOT/scripts/wine-env.sh"
EXE="$BUILD/windows/bin/Trenmoor.exe"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
if [ -n "${DISPLAY:-}" ]; then
  wine "$EXE"
  exit 0
fi
mkdir -p "$BUILD/screenshots"
SHOT="$BUILD/screenshots/run.png"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "
  wine '$EXE' </dev/null >/dev/null 2>&1 &
  for i in \$(seq 1 60); do xwininfo -root -tree 2>/dev/null | grep -q '\"Trenmoor\"' && break; sleep 0.5; done
  sleep 2
  import -window root '$SHOT'
"
echo "No display: Trenmoor ran under Xvfb; screenshot saved to $SHOT"
