# Sourced by the registry end-to-end scripts (tests/scripts/registry_*_e2e.sh).
# snapshot OUT exports every key of the script's KEYS with regedit into its folder on drive C: (ROOT on
# the host, ROOT_WIN as Windows names it) and writes one normalised text: per key, its lines sorted (a
# restored value comes back at the end of its key), so equal texts mean every key and value has its
# name, type and bytes back. Uses the script's bounded wine call w().
snapshot() {
  local out="$1" i=0
  : >"$out"
  for key in "${KEYS[@]}"; do
    i=$((i + 1))
    rm -f "$ROOT/export$i.reg"
    w regedit /E "$ROOT_WIN\\export$i.reg" "$key" >/dev/null 2>&1
    python3 - "$ROOT/export$i.reg" "$key" >>"$out" <<'PY'
import sys
path, key = sys.argv[1], sys.argv[2]
try:
    text = open(path, 'rb').read().decode('utf-16')
except OSError:
    print('[missing ' + key + ']'); sys.exit(0)
blocks, current = {}, None
for line in text.replace('\r\n', '\n').split('\n'):
    if line.startswith('['):
        current = line; blocks.setdefault(current, [])
    elif current is not None and line.strip():
        blocks[current].append(line)
for k in sorted(blocks):
    print(k); print('\n'.join(sorted(blocks[k])))
PY
  done
}

# restore_matches_snapshot BACKUP restores the backup with the script's QUORVEL and compares a new
# snapshot with $WORK/before.txt; anything that did not come back fails the script (its fail()).
restore_matches_snapshot() {
  w "$QUORVEL" registry restore "$1" >"$WORK/restore.out" 2>"$WORK/restore.err"
  local rc=$?
  [ $rc -eq 0 ] || fail "registry restore exited $rc: $(cat "$WORK/restore.err")"
  snapshot "$WORK/after.txt"
  diff "$WORK/before.txt" "$WORK/after.txt" >"$WORK/diff.txt" ||
    fail "the restore did not bring everything back: $(head -40 "$WORK/diff.txt")"
}
