#!/usr/bin/env bash
# Creates the isolated Wine prefix of a build tree (once): no Z: drive, so nothing walks the host.
set -euo pipefail
BUILD="$(cd "$1" && pwd)"
source "$(dirname "$0")/wine-env.sh"
if [ ! -f "$WINEPREFIX/.trenmoor-ready" ]; then
  echo "Creating Wine prefix in $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1 || true
  wineserver -w
  rm -f "$WINEPREFIX/dosdevices/z:"
  touch "$WINEPREFIX/.trenmoor-ready"
fi
