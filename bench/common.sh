# Sourced by the bench scripts: paths, the corpus, peers and a timing helper.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(realpath -m "${1:-$ROOT/build}")"
WORK="$BUILD/bench"
TREE="$WORK/tree"
STATS="$WORK/tree.stats.json"
QUORVEL="$BUILD/native/bin/Quorvel"
MAKE_TREE="${MAKE_TREE:-$ROOT/../shared/bench/make_tree.py}"
FILES="${BENCH_FILES:-200000}"
mkdir -p "$WORK"

# Installs the Debian packages given when their command is missing.
need_peers() {
  local missing=()
  while [ $# -gt 0 ]; do
    command -v "$1" >/dev/null 2>&1 || missing+=("$2")
    shift 2
  done
  if [ ${#missing[@]} -gt 0 ]; then
    local sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "Installing peers: ${missing[*]}" >&2
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null 2>&1 ||
      { $sudo apt-get update -qq >/dev/null && $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; }
  fi
}

ensure_quorvel() {
  [ -x "$QUORVEL" ] || make -C "$ROOT" BUILD="$BUILD" native >/dev/null
}

ensure_tree() {
  if [ ! -f "$STATS" ]; then
    python3 "$MAKE_TREE" "$TREE" --files "$FILES" --force >&2
  fi
  find "$TREE" -type f >/dev/null  # warm the cache for everyone alike
}

# run NAME OUTFILE -- command...: one timed run, stdout to OUTFILE; appends "NAME seconds peakKiB exit".
RESULTS="$WORK/results.$$"
: >"$RESULTS"
trap 'rm -f "$RESULTS" "$RESULTS.one"' EXIT
run() {
  local name="$1" out="$2"
  shift 3
  # GNU time: wall seconds, peak resident KiB of the command itself, its exit status, CPU seconds.
  /usr/bin/time -f "%e %M %x %U %S" -o "$RESULTS.one" "$@" >"$out" 2>/dev/null </dev/null || true
  echo "$name $(tail -n 1 "$RESULTS.one")" >>"$RESULTS"
}
seconds() { awk -v n="$1" '$1 == n { print $2 }' "$RESULTS"; }
peak() { awk -v n="$1" '$1 == n { print $3 }' "$RESULTS"; }
ratio() { awk -v a="$(seconds "$1")" -v b="$(seconds "$2")" 'BEGIN { printf "%.2f", a / b }'; }
stat_of() { python3 -c "import json,sys; print(json.load(open('$STATS'))['$1'])"; }

print_table() {
  # CPU seconds (user + system) are shown too: wall time drifts with whatever else the machine runs.
  printf '%-34s %9s %9s %11s %6s\n' "run" "seconds" "cpu s" "peak MiB" "exit"
  awk '{ printf "%-34s %9.2f %9.2f %11.1f %6d\n", $1, $2, $5 + $6, $3 / 1024, $4 }' "$RESULTS"
}
