#!/usr/bin/env bash
# Builds GoogleTest for MinGW-w64 from Debian's source package into DEST (once).
set -euo pipefail
DEST="$1"; ROOT="$(cd "$(dirname "$0")/.." && pwd)"
[ -f "$DEST/lib/cmake/GTest/GTestConfig.cmake" ] && exit 0
work="$DEST.build"
rm -rf "$work"
cmake -S /usr/src/googletest -B "$work" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" -DCMAKE_INSTALL_PREFIX="$DEST" \
  -Dgtest_disable_pthreads=OFF >/dev/null
cmake --build "$work" >/dev/null
cmake --install "$work" >/dev/null
rm -rf "$work"
