#!/usr/bin/env bash
# Quorvel's registry commands against the real registry of the test prefix: seed broken and healthy
# entries of the five file-reference sections, scan (exactly the broken ones are reported), repair them
# by id (gone; the healthy ones stay), restore the written backup (every value back, byte for byte),
# and leave the prefix as it was found. Every Wine call is bounded.
set -u
BIN="$1"
HERE="$(cd "$(dirname "$0")" && pwd)"
DATA="$HERE/../data/registry_cleaner"
: "${WINEPREFIX:?run under the Wine test environment}"
DRIVE_C="$WINEPREFIX/drive_c"
ROOT="$DRIVE_C/tm_e2e"
WORK="$(mktemp -d)"
QUORVEL='C:\tm_e2e\app\Quorvel.exe'
KEYS=(
  'HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths'
  'HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\SharedDlls'
  'HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Fonts'
  'HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\Help'
  'HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\Html Help'
  'HKEY_LOCAL_MACHINE\Control Panel\Sounds'
)

log() { echo "registry_cleaner_e2e: $*"; }
w() { timeout 120 wine "$@" </dev/null; }
cleanup() {
  cp "$DATA/wine_unseed.reg" "$ROOT/unseed.reg" 2>/dev/null && w regedit /S 'C:\tm_e2e\unseed.reg' >/dev/null 2>&1
  rm -rf "$ROOT" "$DRIVE_C/windows/Fonts/tm_e2e_ok.ttf" "$WORK"
}
fail() { log "FAIL: $*"; cleanup; exit 1; }
ROOT_WIN='C:\tm_e2e'
source "$HERE/../support/registry_snapshot.bash"
# Seeded problems of a scan document, one "section|keyPath|valueName|valueData" line each, sorted.
seeded_problems() {
  python3 -c '
import json, sys
doc = json.load(open(sys.argv[1], encoding="utf-8"))
rows = sorted("%s|%s|%s|%s" % (p["section"], p["keyPath"], p["valueName"], p["valueData"])
              for p in doc["problems"] if "tm_e2e" in p["keyPath"] + p["valueName"] + p["valueData"])
print("\n".join(rows))' "$1"
}

[ -f "$BIN/Quorvel.exe" ] || fail "no $BIN/Quorvel.exe"
rm -rf "$ROOT"
mkdir -p "$ROOT/app" "$ROOT/bin" "$ROOT/help" || fail "cannot create $ROOT"
cp "$BIN/Quorvel.exe" "$ROOT/app/" || fail "cannot copy Quorvel.exe"
touch "$ROOT/bin/ok.exe" "$ROOT/bin/ok.dll" "$ROOT/bin/zero.dll" "$ROOT/bin/full.ttf" "$ROOT/help/tm_e2e_ok.hlp"
mkdir -p "$DRIVE_C/windows/Fonts" && touch "$DRIVE_C/windows/Fonts/tm_e2e_ok.ttf"

cp "$DATA/wine_seed.reg" "$ROOT/seed.reg"
w regedit /S 'C:\tm_e2e\seed.reg' >/dev/null 2>&1
# regedit /S reports success even for a file it did not import: read one value back.
w reg query 'HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'tm_e2e gone (TrueType)' >/dev/null 2>&1 \
  || fail "the seed was not imported"
snapshot "$WORK/before.txt"

w "$QUORVEL" registry scan --sections 2,5,6,10,11 --json >"$WORK/scan.json" 2>"$WORK/scan.err"
rc=$?
[ $rc -eq 0 ] || fail "registry scan exited $rc: $(cat "$WORK/scan.err")"
seeded_problems "$WORK/scan.json" >"$WORK/found.txt" || fail "scan output is not JSON: $(head -c 300 "$WORK/scan.json")"
cat >"$WORK/expected.txt" <<'TXT'
Application Paths|HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\tm_e2e_gone.exe|Path|C:\tm_e2e\missing\gone.exe
Application Paths|HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\tm_e2e_short.exe|Path|C:\tm_e2e\nowhere\short.exe
Font Entries|HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Fonts|tm_e2e gone (TrueType)|tm_e2e_gone.ttf
Help Section|HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\Help||C:\tm_e2e\help\tm_e2e_gone.hlp
Help Section|HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\Html Help||C:\tm_e2e\help\tm_e2e_gone.chm
Shared DLL's Sections|HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\SharedDlls|C:\tm_e2e\bin\zero.dll|0
Shared DLL's Sections|HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\SharedDlls|C:\tm_e2e\missing\gone.dll|1
Sounds Section|HKEY_LOCAL_MACHINE\Control Panel\Sounds|default|tm_e2e ding
TXT
LC_ALL=C sort -o "$WORK/expected.txt" "$WORK/expected.txt"
LC_ALL=C sort -o "$WORK/found.txt" "$WORK/found.txt"
diff "$WORK/expected.txt" "$WORK/found.txt" >"$WORK/diff.txt" || fail "scan reported other problems than the seeded broken ones: $(cat "$WORK/diff.txt")"
log "scan reported exactly the 8 seeded broken entries"
python3 -c '
import json, sys
d = json.load(open(sys.argv[1], encoding="utf-8"))
print("  summary: " + ", ".join("%s %d" % (s["caption"], s["count"]) for s in d["sections"]) +
      "; items processed %d, %d ms" % (d["itemsProcessed"], d["elapsedMs"]))' "$WORK/scan.json"

ids=$(python3 -c '
import json, sys
d = json.load(open(sys.argv[1], encoding="utf-8"))
print(",".join(str(p["id"]) for p in d["problems"] if "tm_e2e" in p["keyPath"] + p["valueName"] + p["valueData"]))' "$WORK/scan.json")
w "$QUORVEL" registry repair --sections 2,5,6,10,11 --ids "$ids" --json >"$WORK/repair.json" 2>"$WORK/repair.err"
rc=$?
[ $rc -eq 0 ] || fail "registry repair exited $rc: $(cat "$WORK/repair.err")"
backup=$(python3 -c '
import json, sys
d = json.load(open(sys.argv[1], encoding="utf-8"))
bad = [r for r in d["repaired"] if r["status"] != "Repaired Successfully"]
assert len(d["repaired"]) == 8 and not bad, d["repaired"]
print(d["backup"])' "$WORK/repair.json") || fail "repair did not report 8 successful repairs: $(head -c 600 "$WORK/repair.json")"
log "repaired 8 entries, backup $backup"

w "$QUORVEL" registry scan --sections 2,5,6,10,11 --json >"$WORK/rescan.json" 2>/dev/null
[ -z "$(seeded_problems "$WORK/rescan.json")" ] || fail "seeded problems remain after the repair: $(seeded_problems "$WORK/rescan.json")"
for check in "App Paths\\tm_e2e_ok.exe|" "SharedDlls|C:\\tm_e2e\\bin\\ok.dll" "Fonts|tm_e2e ok (TrueType)" "Fonts|tm_e2e full (TrueType)" \
             "Help|tm_e2e_ok.hlp" "Sounds|tm_e2e_named"; do
  key="${check%%|*}"; value="${check#*|}"
  case "$key" in
    App*) path="HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\$key" ;;
    SharedDlls) path='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\SharedDlls' ;;
    Fonts) path='HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Fonts' ;;
    Help) path='HKLM\SOFTWARE\Microsoft\Windows\Help' ;;
    Sounds) path='HKLM\Control Panel\Sounds' ;;
  esac
  if [ -n "$value" ]; then
    w reg query "$path" /v "$value" >/dev/null 2>&1 || fail "healthy $path $value was touched"
  else
    w reg query "$path" >/dev/null 2>&1 || fail "healthy $path was touched"
  fi
done
log "healthy entries untouched"

restore_matches_snapshot "$backup"
log "restore brought every value back byte for byte"
cleanup
log "PASS"
